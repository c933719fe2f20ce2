#include "kanjisamples.h"
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
    void convertWritesTheViewText_data();
    void convertWritesTheViewText();
    void sjisOptionWalksTheConvertedText_data();
    void sjisOptionWalksTheConvertedText();

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
    QTest::newRow("convert, not text") << "convert" << "data.bin" << QByteArray("ab\x01<", 4)
                                       << "data.binはテキストファイルではないのでは？";
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
    QTest::newRow("convert takes no --sjis") << QStringList{"convert", "--sjis", "a.html"};
    QTest::newRow("check takes no --sjis") << QStringList{"check", "--sjis", "a.html"};
}

void TestCli::usageErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("Usage: vorelind-cli"));
}

void TestCli::convertWritesTheViewText_data()
{
    QTest::addColumn<std::string>("fileBytes");

    QTest::newRow("Shift-JIS") << shiftJis(kSamplePage);
    QTest::newRow("EUC-JP") << eucJpPage();
    QTest::newRow("ISO-2022-JP") << iso2022FromEucJp(eucJpPage());
    QTest::newRow("UTF-8") << std::string(kSamplePage);
    QTest::newRow("UTF-8 with a byte order mark") << "\xef\xbb\xbf" + std::string(kSamplePage);
    QTest::newRow("UTF-16LE") << utf16LePage();
    QTest::newRow("UTF-16BE") << utf16BePage();
}

void TestCli::convertWritesTheViewText()
{
    QFETCH(std::string, fileBytes);

    const ProgramRun run = runCli({"convert", write("page.html", bytes(fileBytes))});

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, bytes(shiftJis(kSamplePageInView)));
}

void TestCli::sjisOptionWalksTheConvertedText_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<std::string>("fileBytes");

    for (const QString& command : {QString("indent"), QString("tree"), QString("export")}) {
        QTest::newRow(qPrintable(command + ", EUC-JP")) << command << eucJpPage();
        QTest::newRow(qPrintable(command + ", UTF-16BE")) << command << utf16BePage();
    }
}

void TestCli::sjisOptionWalksTheConvertedText()
{
    QFETCH(QString, command);
    QFETCH(std::string, fileBytes);

    const ProgramRun converted = runCli({command, "--sjis", write("page.html", bytes(fileBytes))});
    const ProgramRun fromShiftJis = runCli({command, write("sjis.html", bytes(shiftJis(kSamplePage)))});

    QCOMPARE(converted.exitCode, 0);
    QCOMPARE(fromShiftJis.exitCode, 0);
    QVERIFY(converted.out.contains(bytes(shiftJis("日本語のテスト"))));
    QCOMPARE(converted.out, fromShiftJis.out);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
