#include "document/messages.h"
#include "document/sizelimits.h"
#include "document/sourceloader.h"
#include "platform/sjistext.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

using namespace vorelind;

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs vorelind-cli in the folder; a run that does not end in time is killed
// and fails the test.
CliRun runCli(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/vorelind-cli", arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return CliRun{};
    }
    return CliRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                  process.readAllStandardOutput(), process.readAllStandardError()};
}

// What the tool writes to standard error for a Shift-JIS message.
QByteArray cliError(const std::string& sjisMessage)
{
    return bytes("vorelind-cli: " + sjisToUtf8(sjisMessage) + "\n");
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void refusedFiles_data();
    void refusedFiles();
    void failedOptionFiles_data();
    void failedOptionFiles();
    void sourceEndingInsideAConstruct_data();
    void sourceEndingInsideAConstruct();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QDir dir(m_dir->path());
    if (::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) != 0 || !dir.mkdir("folder"))
        qFatal("cannot prepare %s", qPrintable(dir.path()));
    writeFile(dir.filePath("empty.htm"), "");
    writeFile(dir.filePath("page.htm"), "<p>x</p>");
    writeFile(dir.filePath("bomb.htm"), QByteArray("<a>").repeated(100000));
}

void TestCli::refusedFiles_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<std::string>("message");

    for (const char* command : {"indent", "tree", "export", "check"}) {
        QTest::addRow("%s a folder", command) << command << "folder" << openFailureMessage("folder");
        QTest::addRow("%s a named pipe", command) << command << "pipe" << openFailureMessage("pipe");
        QTest::addRow("%s /dev/zero", command) << command << "/dev/zero" << openFailureMessage("zero");
        QTest::addRow("%s /dev/urandom", command) << command << "/dev/urandom" << openFailureMessage("urandom");
        QTest::addRow("%s an empty file", command) << command << "empty.htm" << std::string(messages::kEndOfFile);
    }
    const std::string bombError = listingTooLargeMessage(listingBudget(300000));
    for (const char* command : {"indent", "tree", "export"})
        QTest::addRow("%s a nesting bomb", command) << command << "bomb.htm" << bombError;
}

void TestCli::refusedFiles()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(std::string, message);
    const CliRun run = runCli(m_dir->path(), {command, file});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, cliError(message));
    QCOMPARE(run.out, QByteArray());
}

void TestCli::failedOptionFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<std::string>("message");

    QTest::newRow("excluded list is a folder")
        << QStringList{"indent", "--exclude", "folder", "page.htm"}
        << formatMessage(messages::kCannotOpenFile, "folder");
    QTest::newRow("excluded list is a device")
        << QStringList{"tree", "--exclude", "/dev/zero", "page.htm"}
        << formatMessage(messages::kCannotOpenFile, "/dev/zero");
    QTest::newRow("run log is a folder")
        << QStringList{"indent", "--run-log", "folder", "page.htm"} << std::string(std::strerror(EISDIR));
    QTest::newRow("export into a missing folder")
        << QStringList{"export", "-o", "missing/out.htm", "page.htm"}
        << formatMessage(messages::kCannotCreateFile, "missing/out.htm");
}

void TestCli::failedOptionFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(std::string, message);
    const CliRun run = runCli(m_dir->path(), arguments);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, cliError(message));
    QCOMPARE(run.out, QByteArray());
}

void TestCli::sourceEndingInsideAConstruct_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("expected");

    const struct {
        const char* construct;
        QByteArray source;
        QByteArray listing;
        QByteArray tree;
        QByteArray exported;
    } rows[] = {
        {"a tag name", "<html><bo", "\r\n<html>\r\n  <bo", "0\t<html>\n1\t <bo\n", "<html>\r\n  <bo\r\n"},
        {"a comment", "<p><!-- open", "\r\n<p>\r\n  <!-- open", "0\t<p>\n1\t <!-- open\n", "<p>\r\n  <!-- open\r\n"},
        {"a quoted attribute", "<p><a href=\"x>y", "\r\n<p>\r\n  <a href=\"x>y", "0\t<p>\n1\t <a href=\"x>y\n",
         "<p>\r\n  <a href=\"x>y\r\n"},
        {"a script block", "<p><script>if (a<b)\r\nx", "\r\n<p>\r\n  <script>if (a  <b)\r\n    x",
         "0\t<p>\n1\t <script>if (a  <b)\n2\t x\n", "<p>\r\n  <script>if (a  <b)\r\nx\r\n"},
        {"a pre block", "<p><pre>one\r\ntwo", "\r\n<p>\r\n  <pre>one\r\n    two", "0\t<p>\n1\t <pre>one\n2\t two\n",
         "<p>\r\n  <pre>one\r\ntwo\r\n"},
    };
    for (const auto& row : rows) {
        QTest::addRow("indent, ends inside %s", row.construct) << row.source << "indent" << row.listing;
        QTest::addRow("tree, ends inside %s", row.construct) << row.source << "tree" << row.tree;
        QTest::addRow("export, ends inside %s", row.construct) << row.source << "export" << row.exported;
    }
}

void TestCli::sourceEndingInsideAConstruct()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, command);
    QFETCH(QByteArray, expected);
    writeFile(QDir(m_dir->path()).filePath("cut.htm"), source);
    const CliRun run = runCli(m_dir->path(), {command, "cut.htm"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
