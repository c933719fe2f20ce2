#include "testlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ProgramRun runCli(const QStringList& arguments)
{
    return runProgram("vorelind-cli", arguments);
}

const QByteArray kPage = "<html>\r\n<head>\r\n<title>Test</title>\r\n</head>\r\n<body>\r\n"
                         "<p>Hello<br>world</p>\r\n</body>\r\n</html>\r\n";

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void indentWritesTheListing();
    void excludedTagsComeFromAListFile();
    void treeWritesLevelsAndTexts();
    void exportWritesTheTidiedLines();
    void runLogIsWrittenOnlyWhenAsked();
    void refusedFilesExitWithTheMessage_data();
    void refusedFilesExitWithTheMessage();
    void usageErrorsExitWithTwo_data();
    void usageErrorsExitWithTwo();

private:
    QString write(const QString& name, const QByteArray& content);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestCli::write(const QString& name, const QByteArray& content)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write a test file");
    return path;
}

void TestCli::indentWritesTheListing()
{
    const ProgramRun run = runCli({"indent", write("page.html", kPage)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, bytes(crlfJoined({"", "<html>", "  <head>", "    <title>Test", "    </title>", "  </head>",
                                        "  <body>", "    <p>Hello", "      <br>world", "      </p>", "    </body>",
                                        "  </html>"})));
}

void TestCli::excludedTagsComeFromAListFile()
{
    const QString list = write("ignore.trm", "P\nBR");
    const ProgramRun run = runCli({"indent", "--exclude", list, write("page.html", "<div><p>a<br>b</p></div>")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, bytes(crlfJoined({"", "<div>", "  <p>a", "  <br>b", "  </p>", "</div>"})));
}

void TestCli::treeWritesLevelsAndTexts()
{
    const ProgramRun run = runCli({"tree", write("page.html", "<a>\n<b>x</b>\n</a>\n<c>")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("0\t<a>\n1\t <b>x\n1\t </b>\n0\t</a>\n0\t<c>\n"));
}

void TestCli::exportWritesTheTidiedLines()
{
    const QString page = write("page.html", "<body>\n<pre>one\ntwo\n</pre>\n</body>\n");
    const QByteArray expected = "<body>\r\n  <pre>one\r\ntwo\r\n  </pre>\r\n</body>\r\n";

    const ProgramRun toStdout = runCli({"export", page});
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.out, expected);

    const QString out = m_dir->filePath("out.htm");
    const ProgramRun toFile = runCli({"export", "-o", out, page});
    QCOMPARE(toFile.exitCode, 0);
    QVERIFY(toFile.out.isEmpty());
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
}

void TestCli::runLogIsWrittenOnlyWhenAsked()
{
    const QString page = write("page.html", "<a>b</a>");
    const QString log = m_dir->filePath("run.log");
    QCOMPARE(runCli({"indent", page}).exitCode, 0);
    QVERIFY(!QFile::exists(log));

    // The log only grows: a second run appends its lines.
    QCOMPARE(runCli({"indent", "--run-log", log, page}).exitCode, 0);
    QCOMPARE(runCli({"indent", "--run-log", log, page}).exitCode, 0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray lines = file.readAll();
    QCOMPARE(lines.count("cntm="), 16);
    QVERIFY(lines.startsWith("cntm=3 i=1\r\ncntm=4 i=2\r\n"));
    QVERIFY(lines.endsWith("cntm=12 i=8\r\n"));
}

void TestCli::refusedFilesExitWithTheMessage_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("not text") << "check" << "data.bin" << QByteArray("ab\x01<", 4)
                              << "data.binはテキストファイルではないのでは？";
    QTest::newRow("end of file during the check") << "indent" << "short.txt" << QByteArray("abc")
                                                  << "Read beyond end of file";
    QTest::newRow("cannot open") << "tree" << "" << QByteArray() << "誰かがそのファイルmissing.htmlを握っていませんか";
    QTest::newRow("cannot open the list file") << "export" << "page.html" << QByteArray("<a>") << "No such file";
}

void TestCli::refusedFilesExitWithTheMessage()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = name.isEmpty() ? m_dir->filePath("missing.html") : write(name, content);
    QStringList arguments{command};
    if (command == "export")
        arguments << "--exclude" << m_dir->filePath("missing.trm");
    const ProgramRun run = runCli(arguments << path);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

void TestCli::usageErrorsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"format", "a.html"};
    QTest::newRow("no file") << QStringList{"indent"};
    QTest::newRow("two files") << QStringList{"indent", "a.html", "b.html"};
    QTest::newRow("option of another command") << QStringList{"tree", "--run-log", "x.log", "a.html"};
    QTest::newRow("option without value") << QStringList{"export", "a.html", "-o"};
}

void TestCli::usageErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("Usage: vorelind-cli"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
