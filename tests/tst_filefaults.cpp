#include "document/documentpipeline.h"
#include "document/filecheck.h"
#include "document/listing.h"
#include "document/messages.h"
#include "document/sourceloader.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

using namespace vorelind;

namespace {

// A folder holding a named pipe, a socket, a folder and an empty file.
class FaultFolder {
public:
    FaultFolder()
    {
        if (::mkfifo(path("pipe").c_str(), 0600) != 0 || !QDir(m_dir.path()).mkdir("folder"))
            qFatal("cannot prepare %s", qPrintable(m_dir.path()));
        makeSocketFile(path("socket"));
        writeFile(QString::fromStdString(path("empty.htm")), "");
    }

    // A name in the test's own folder.
    std::string path(const QString& name) const
    {
        return m_dir.filePath(name).toStdString();
    }

private:
    QTemporaryDir m_dir;
};

DocumentRequest requestFor(const std::string& path)
{
    return DocumentRequest{path, "page.htm", false};
}

// The caption and text of the refusal that the action raised.
QString refusalOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Refusal& refusal) {
        return fromSjis(refusal.caption()) + ": " + fromSjis(refusal.what());
    }
    return QStringLiteral("(no refusal)");
}

// Runs the file through the pipeline, with the path changed by the given
// step once the file has been accepted.
class ChangeOnAcceptance : public DocumentSteps {
public:
    explicit ChangeOnAcceptance(std::function<void()> change)
        : m_change(std::move(change))
    {
    }
    void accepted() override { m_change(); }
    void loaded(const std::shared_ptr<const std::string>& source) override { m_source = *source; }
    const std::string& source() const { return m_source; }

private:
    std::function<void()> m_change;
    std::string m_source;
};

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT

private slots:
    void specialFilesCannotBeOpened_data();
    void specialFilesCannotBeOpened();
    void specialFilesAreNotRead_data();
    void specialFilesAreNotRead();
    void emptyFileEndsTheCheck();
    void fileReplacedAfterTheCheckIsNotLoaded_data();
    void fileReplacedAfterTheCheckIsNotLoaded();
    void fileCutWhileCheckedReadsAsNulsPastItsEnd();
};

void TestFileFaults::specialFilesCannotBeOpened_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe, which would wait for a writer") << "pipe";
    QTest::newRow("socket") << "socket";
    QTest::newRow("missing file") << "missing.htm";
}

void TestFileFaults::specialFilesCannotBeOpened()
{
    QFETCH(QString, name);
    const FaultFolder folder;
    const DocumentRequest request = requestFor(folder.path(name));
    const QString expected = "I/Oエラー: 誰かがそのファイルpage.htmを握っていませんか";
    QCOMPARE(refusalOf([&] { checkDocument(request); }), expected);
    QCOMPARE(refusalOf([&] { loadDocument(request); }), expected);
}

void TestFileFaults::specialFilesAreNotRead_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("socket, which cannot be opened") << "socket";
}

void TestFileFaults::specialFilesAreNotRead()
{
    QFETCH(QString, name);
    const FaultFolder folder;
    const std::string path = folder.path(name);
    QCOMPARE(messageOf([&] { readFileBytes(path); }), fromSjis(formatMessage(messages::kCannotOpenFile, path)));
}

void TestFileFaults::emptyFileEndsTheCheck()
{
    const FaultFolder folder;
    QCOMPARE(messageOf([&] { checkDocument(requestFor(folder.path("empty.htm"))); }),
             QString(messages::kEndOfFile));
}

void TestFileFaults::fileReplacedAfterTheCheckIsNotLoaded_data()
{
    QTest::addColumn<bool>("pipe");

    QTest::newRow("by a file that would not pass the check") << false;
    QTest::newRow("by a named pipe, which would hold the load") << true;
}

// The file that passed the check is the one loaded, whatever the path names
// by the time the rest of it is read.
void TestFileFaults::fileReplacedAfterTheCheckIsNotLoaded()
{
    QFETCH(bool, pipe);
    const FaultFolder folder;
    const std::string path = folder.path("page.htm");
    writeFile(QString::fromStdString(path), "<p>x\n</p>");
    ChangeOnAcceptance steps([&] {
        QVERIFY(QFile::remove(QString::fromStdString(path)));
        if (pipe)
            QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        else
            writeFile(QString::fromStdString(path), "\x01\x02");
    });
    Listing listing;
    runDocument(requestFor(path), ExcludedTags(), steps, {}, listing);
    QCOMPARE(bytes(steps.source()), QByteArray("<p>x\r\n</p>"));
}

// A file read in place rather than copied may be cut short by another
// program meanwhile; reading past its new end must not stop the process.
void TestFileFaults::fileCutWhileCheckedReadsAsNulsPastItsEnd()
{
    const FaultFolder folder;
    const std::string path = folder.path("page.htm");
    const std::string page = "<p>" + std::string(3 * 65536, 'x');
    writeFile(QString::fromStdString(path), page);
    std::string seen;
    const std::string failure = checkFileAsWritten(path, std::nullopt, [&](std::string_view source, TagRules) {
        QCOMPARE(::truncate(path.c_str(), 3), 0);
        seen.assign(source);
    });
    QCOMPARE(failure, std::string());
    QCOMPARE(seen.size(), page.size());
    QCOMPARE(seen.substr(0, 3), std::string("<p>"));
    QCOMPARE(seen.find_first_not_of('\0', 3), std::string::npos);
}

QTEST_APPLESS_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
