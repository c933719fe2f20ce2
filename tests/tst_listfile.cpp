#include "platform/files/lockedfile.h"
#include "kanjisamples.h"
#include "rootoverride.h"
#include "settings/listfile.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorelind;

using Entries = std::vector<std::string>;
Q_DECLARE_METATYPE(Entries)

namespace {

// Whether another open of the file gets the lock at once.
bool lockFree(const QString& path, int lock)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool free = descriptor >= 0 && ::flock(descriptor, lock | LOCK_NB) == 0;
    ::close(descriptor);
    return free;
}

void makeUnreadable(const QString& path)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0), 0);
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void parses_data();
    void parses();
    void writesEveryEntryWithCrLf_data();
    void writesEveryEntryWithCrLf();

    void firstSaveCreatesTheMissingFile();
    void loadedListIsWrittenBack();
    void neverReplacesAListThatWasNotLoaded_data();
    void neverReplacesAListThatWasNotLoaded();
    void reportsAFileThatCannotBeWritten();
    void locksReadersSharedAndWritersAlone();

private:
    QString listPath() const { return m_folder->filePath("ignore.trm"); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestListFile::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
}

void TestListFile::parses_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<Entries>("entries");

    QTest::newRow("CR LF") << std::string("P\r\nBR\r\n") << Entries{"P", "BR"};
    QTest::newRow("LF only") << std::string("P\nBR\n") << Entries{"P", "BR"};
    QTest::newRow("CR only") << std::string("P\rBR\r") << Entries{"P", "BR"};
    QTest::newRow("mixed, LF CR is two breaks") << std::string("A\n\rB\r\nC") << Entries{"A", "", "B", "C"};
    QTest::newRow("text after the last break") << std::string("P\r\nBR") << Entries{"P", "BR"};
    QTest::newRow("empty lines are empty entries, in file order")
        << std::string("P\r\nBR\r\n\r\nBR\r\n") << Entries{"P", "BR", "", "BR"};
    QTest::newRow("a NUL ends the text") << std::string("P\r\nB\0R\r\nHR\r\n", 13) << Entries{"P", "B"};
    QTest::newRow("empty file") << std::string() << Entries{};
    QTest::newRow("one break") << std::string("\r\n") << Entries{""};
    QTest::newRow("Shift-JIS entry") << shiftJis("見出し\r\n") << Entries{shiftJis("見出し")};
}

void TestListFile::parses()
{
    QFETCH(std::string, text);
    QFETCH(Entries, entries);
    QCOMPARE(parseListText(text), entries);
}

void TestListFile::writesEveryEntryWithCrLf_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<std::string>("text");

    QTest::newRow("empty list, empty file") << Entries{} << std::string();
    QTest::newRow("last line ended too") << Entries{"", "BR", "P"} << std::string("\r\nBR\r\nP\r\n");
}

void TestListFile::writesEveryEntryWithCrLf()
{
    QFETCH(Entries, entries);
    QFETCH(std::string, text);
    QCOMPARE(bytes(listFileBytes(entries)), bytes(text));
}

void TestListFile::firstSaveCreatesTheMissingFile()
{
    IgnoreListFile file(listPath().toStdString());
    QCOMPARE(messageOf([&] { file.load(); }), QString::fromUtf8("ファイル %1 は開けません").arg(listPath()));
    file.save({});
    QVERIFY(QFile::exists(listPath()));
    QCOMPARE(readFile(listPath()), std::string());
    file.save({"BR"}); // the file holds this list now
    QCOMPARE(bytes(readFile(listPath())), bytes("BR\r\n"));
}

void TestListFile::loadedListIsWrittenBack()
{
    writeFile(listPath(), "P\nBR\n");
    IgnoreListFile file(listPath().toStdString());
    const Entries entries = file.load();
    QCOMPARE(entries, (Entries{"P", "BR"}));
    file.save(entries);
    QCOMPARE(bytes(readFile(listPath())), bytes("P\r\nBR\r\n"));
    file.save({});
    QCOMPARE(readFile(listPath()), std::string());
}

void TestListFile::neverReplacesAListThatWasNotLoaded_data()
{
    QTest::addColumn<bool>("tryToLoad");
    QTest::newRow("never loaded") << false;
    QTest::newRow("load failed on an unreadable file") << true;
}

void TestListFile::neverReplacesAListThatWasNotLoaded()
{
    QFETCH(bool, tryToLoad);
    writeFile(listPath(), "P\r\nBR\r\n");
    IgnoreListFile file(listPath().toStdString());
    if (tryToLoad) {
        makeUnreadable(listPath());
        const WithoutRootOverride asUser;
        if (!asUser.modesBind())
            QSKIP("file modes can't be made to bind this process");
        QCOMPARE(messageOf([&] { file.load(); }), QString::fromUtf8("ファイル %1 は開けません").arg(listPath()));
    }
    QCOMPARE(messageOf([&] { file.save({}); }), QString::fromUtf8("ファイル %1 を作成できません").arg(listPath()));
    QCOMPARE(::chmod(QFile::encodeName(listPath()).constData(), 0644), 0);
    QCOMPARE(bytes(readFile(listPath())), bytes("P\r\nBR\r\n"));
}

void TestListFile::reportsAFileThatCannotBeWritten()
{
    writeFile(listPath(), "P\r\n");
    IgnoreListFile file(listPath().toStdString());
    QCOMPARE(file.load(), Entries{"P"});
    QCOMPARE(::chmod(QFile::encodeName(listPath()).constData(), 0444), 0);
    const WithoutRootOverride asUser;
    if (!asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");
    QCOMPARE(messageOf([&] { file.save({"BR"}); }), QString::fromUtf8("ファイル %1 を作成できません").arg(listPath()));
    QCOMPARE(bytes(readFile(listPath())), bytes("P\r\n"));
}

void TestListFile::locksReadersSharedAndWritersAlone()
{
    writeFile(listPath(), "P\r\n");
    {
        const LockedFile reading(listPath().toStdString(), LockedFile::Mode::Read);
        QVERIFY(reading.isOpen());
        QVERIFY(lockFree(listPath(), LOCK_SH));
        QVERIFY(!lockFree(listPath(), LOCK_EX));
    }
    {
        const LockedFile writing(listPath().toStdString(), LockedFile::Mode::Write);
        QVERIFY(writing.isOpen());
        QVERIFY(!lockFree(listPath(), LOCK_SH));
    }
    QVERIFY(lockFree(listPath(), LOCK_EX));
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
