#include "document/runlogfile.h"
#include "platform/files/backgroundwriter.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace vorelind;

namespace {

// A run of positions as the walk reports it.
struct Run {
    std::size_t firstPosition;
    std::size_t lastPosition;
    std::size_t firstOutputCount;
};

// The log the runs must give, written out line by line.
std::string expectedLog(const std::vector<Run>& runs)
{
    std::string log;
    for (const Run& run : runs) {
        for (std::size_t position = run.firstPosition; position <= run.lastPosition; ++position)
            log += "cntm=" + std::to_string(run.firstOutputCount + position - run.firstPosition) + " i="
                + std::to_string(position) + "\r\n";
    }
    return log;
}

// Whether the text is whole log lines.
bool wholeLines(const std::string& text)
{
    return text.starts_with("cntm=") && text.ends_with("\r\n");
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Run>)

class TestRunLogFile : public QObject {
    Q_OBJECT

private slots:
    void writesOneLinePerPosition_data();
    void writesOneLinePerPosition();
    void staysWithinItsSizeDuringARun();
    void oldLogPastItsSizeIsSetAside();
    void linkOrFifoInTheSetAsidePlaceIsRefused_data();
    void linkOrFifoInTheSetAsidePlaceIsRefused();
    void failedWriteIsRaisedByTheNextCall();
    void unfinishedRunLeavesWhatItLogged();
    void failedLastWriteFailsTheClose();
};

void TestRunLogFile::writesOneLinePerPosition_data()
{
    QTest::addColumn<std::vector<Run>>("runs");

    QTest::newRow("single positions") << std::vector<Run>{{1, 1, 3}, {2, 2, 4}, {4, 4, 9}};
    QTest::newRow("position gets a digit longer") << std::vector<Run>{{7, 12, 20}};
    QTest::newRow("count gets a digit longer") << std::vector<Run>{{20, 25, 7}};
    QTest::newRow("both carry on the same line") << std::vector<Run>{{5, 15, 95}};
    QTest::newRow("carry runs past several digits") << std::vector<Run>{{990, 1012, 1985}};
    QTest::newRow("last digits reach 9 on different lines") << std::vector<Run>{{3, 30, 1}};
    QTest::newRow("runs after each other") << std::vector<Run>{{1, 9, 1}, {10, 10, 14}, {11, 120, 15}};
    QTest::newRow("a later report carries into a longer number") << std::vector<Run>{{8, 9, 96}, {10, 11, 1004}};
    QTest::newRow("a later report starts lower") << std::vector<Run>{{98, 99, 500}, {3, 4, 7}};
    QTest::newRow("large numbers") << std::vector<Run>{{99'999'990, 100'000'010, 4'294'967'290}};
    // More lines than one buffer holds.
    QTest::newRow("a long run") << std::vector<Run>{{1, 100'000, 3}};
}

void TestRunLogFile::writesOneLinePerPosition()
{
    QFETCH(std::vector<Run>, runs);
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    RunLogFile log(path.toStdString());
    for (const Run& run : runs)
        log.appendLines(run.firstPosition, run.lastPosition, run.firstOutputCount);
    log.close();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes(expectedLog(runs)));
}

// One run of a large page alone writes gigabytes: the log and the part set
// aside each stay within the size during the run and hold whole lines, the
// latest ones, in order.
void TestRunLogFile::staysWithinItsSizeDuringARun()
{
    constexpr std::size_t kMostBytes = 1000;
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    RunLogFile log(path.toStdString(), kMostBytes);
    log.appendLines(1, 1000, 1);
    log.close();
    const std::string current = readFile(path);
    const std::string aside = readFile(path + ".1");
    QVERIFY(current.size() <= kMostBytes);
    QVERIFY(aside.size() <= kMostBytes);
    QVERIFY(wholeLines(current));
    QVERIFY(wholeLines(aside));
    QVERIFY(expectedLog({{1, 1000, 1}}).ends_with(aside + current));
}

void TestRunLogFile::oldLogPastItsSizeIsSetAside()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    const std::string old = expectedLog({{1, 100, 1}});
    writeFile(path, old);
    writeFile(path + ".1", "older");
    RunLogFile log(path.toStdString(), 500);
    log.appendLines(101, 103, 101);
    log.close();
    QCOMPARE(bytes(readFile(path + ".1")), bytes(old));
    QCOMPARE(bytes(readFile(path)), bytes(expectedLog({{101, 103, 101}})));
}

void TestRunLogFile::linkOrFifoInTheSetAsidePlaceIsRefused_data()
{
    QTest::addColumn<bool>("fifo");

    QTest::newRow("symbolic link") << false;
    QTest::newRow("FIFO") << true;
}

// The part set aside is the user's link or FIFO, left as it is, and the log
// keeps its lines.
void TestRunLogFile::linkOrFifoInTheSetAsidePlaceIsRefused()
{
    QFETCH(bool, fifo);
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    const QString aside = path + ".1";
    const QString target = dir.filePath("target");
    writeFile(target, "kept");
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(aside).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(target, aside));
    const std::string old = expectedLog({{1, 100, 1}});
    writeFile(path, old);
    {
        RunLogFile log(path.toStdString(), 500);
        log.appendLines(101, 103, 101);
        QVERIFY_THROWS_EXCEPTION(AppError, log.close());
    }
    QCOMPARE(bytes(readFile(path)), bytes(old));
    QCOMPARE(bytes(readFile(target)), QByteArray("kept"));
    struct stat info;
    QCOMPARE(::lstat(QFile::encodeName(aside).constData(), &info), 0);
    QVERIFY(fifo ? S_ISFIFO(info.st_mode) : S_ISLNK(info.st_mode));
}

// The writing happens on another thread; its failure must still reach the
// run, which would otherwise report a log it never wrote.
void TestRunLogFile::failedWriteIsRaisedByTheNextCall()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    QFile(path).open(QIODevice::WriteOnly);
    std::FILE* readOnly = std::fopen(path.toLocal8Bit().constData(), "r");
    QVERIFY(readOnly);
    {
        BackgroundWriter writer(readOnly);
        writer.write("cntm=1 i=1\r\n", 12);
        QVERIFY_THROWS_EXCEPTION(AppError, writer.wait());
        writer.write("cntm=2 i=2\r\n", 12);
        QVERIFY_THROWS_EXCEPTION(AppError, writer.write("cntm=3 i=3\r\n", 12));
    }
    std::fclose(readOnly);
}

// A run that an error ends never reaches close(): the lines it logged are
// written all the same when the log goes.
void TestRunLogFile::unfinishedRunLeavesWhatItLogged()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("runlog.log");
    try {
        RunLogFile log(path.toStdString());
        log.appendLines(1, 3, 1);
        throw AppError("the walk stopped");
    } catch (const AppError&) {
    }
    QCOMPARE(bytes(readFile(path)), bytes(expectedLog({{1, 3, 1}})));
}

// The disk fills up as the last lines go out: the run must not pass for done.
void TestRunLogFile::failedLastWriteFailsTheClose()
{
    QTemporaryDir dir;
    RunLogFile log(dir.filePath("runlog.log").toStdString());
    log.appendLines(1, 1000, 1);
    const FileSizeLimit limit(64);
    QVERIFY_THROWS_EXCEPTION(AppError, log.close());
}

QTEST_APPLESS_MAIN(TestRunLogFile)
#include "tst_runlogfile.moc"
