#include "document/sizelimits.h"
#include "kanjisamples.h"
#include "testfiles.h"
#include "testlines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void treeKeepsEachNodeOnOneLine_data();
    void treeKeepsEachNodeOnOneLine();
    void exportWritesTheTidiedLines();
    void unmatchedListsTheUnpairedTags_data();
    void unmatchedListsTheUnpairedTags();
    void unmatchedChecksFilesAndFolders_data();
    void unmatchedChecksFilesAndFolders();
    void treePositionsNameTheBytesThatBeganTheNodes_data();
    void treePositionsNameTheBytesThatBeganTheNodes();
    void runLogIsWrittenOnlyWhenAsked();
    void refusedFilesExitWithTheMessage_data();
    void refusedFilesExitWithTheMessage();
    void usageErrorsExitWithTwo_data();
    void usageErrorsExitWithTwo();
    void convertWritesTheViewText_data();
    void convertWritesTheViewText();
    void sjisOptionWalksTheConvertedText_data();
    void sjisOptionWalksTheConvertedText();
    void specialEmptyAndBombFilesAreRefused_data();
    void specialEmptyAndBombFilesAreRefused();
    void failingOptionFilesExitWithTheMessage_data();
    void failingOptionFilesExitWithTheMessage();
    void fileNamesAfterTheEndOfOptions_data();
    void fileNamesAfterTheEndOfOptions();
    void sourceEndingInsideAConstruct_data();
    void sourceEndingInsideAConstruct();

private:
    QString write(const QString& name, const QByteArray& content);
    QString inputPath(const QString& name);
    ProgramRun runOnPage(QStringList arguments, const QByteArray& content, bool convert, const QByteArray& excluded);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    if (::mkfifo(QFile::encodeName(m_dir->filePath("pipe")).constData(), 0600) != 0
        || !QDir(m_dir->path()).mkdir("folder") || !QFile::link(m_dir->filePath("linked.log"), m_dir->filePath("link")))
        qFatal("cannot prepare a named pipe, a folder and a link");
    makeSocketFile(QFile::encodeName(m_dir->filePath("socket")).toStdString());
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

void TestCli::treeKeepsEachNodeOnOneLine_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("tree");

    // The walk takes the byte after a lead byte into the character, a line
    // break too; the lead byte is escaped with it, or a reader would join it
    // to the escape's backslash.
    QTest::newRow("a lead byte takes an LF") << QByteArray("<pre>\n\x81\nline2\n</pre>\n")
                                             << QByteArray("0\t<pre>\n1\t \\x81\\x0A  line2\n0\t</pre>\n");
    QTest::newRow("a character whose second byte could lead, before a control byte")
        << QByteArray("<pre>\n\x81\x81\x01\n</pre>\n") << QByteArray("0\t<pre>\n1\t \x81\x81\\x01\n0\t</pre>\n");
    QTest::newRow("a lead byte takes a CR, other control bytes, a TAB kept")
        << QByteArray("<pre>\r\n\x81\r\n\x01" "a\tb\x7f\r\n</pre>\r\n")
        << QByteArray("0\t<pre>\n1\t \\x81\\x0D\n1\t \\x01a\tb\\x7F\n0\t</pre>\n");
}

void TestCli::treeKeepsEachNodeOnOneLine()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, tree);
    const ProgramRun run = runCli({"tree", write("page.html", page)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, tree);
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

    // The page itself is replaced only once its export is whole.
    const ProgramRun overPage = runCli({"export", "-o", page, page});
    QCOMPARE(overPage.exitCode, 0);
    QCOMPARE(bytes(readFile(page)), expected);
}

// Runs a command on a page, converted and with excluded names when asked.
ProgramRun TestCli::runOnPage(QStringList arguments, const QByteArray& content, bool convert,
                              const QByteArray& excluded)
{
    if (convert)
        arguments << "--sjis";
    if (!excluded.isEmpty())
        arguments << "--exclude" << write("ignore.trm", excluded);
    return runCli(arguments << write("page.html", content));
}

void TestCli::unmatchedListsTheUnpairedTags_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<QByteArray>("excluded");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("lines of the loaded text, every break made CR LF")
        << QByteArray("<html>\n<body><b><i>x</b></i>\r<p>") << false << QByteArray()
        << QByteArray("1:1\tstart\thtml\n2:1\tstart\tbody\n2:10\tstart\ti\n2:18\tend\ti\n3:1\tstart\tp\n");
    QTest::newRow("a lone LF as second byte ends no line")
        << QByteArray("\x83\n<b>\r\n<i>") << false << QByteArray() << QByteArray("1:3\tstart\tb\n2:1\tstart\ti\n");
    QTest::newRow("the text ends at its first NUL")
        << QByteArray("<b>\r\n\0<i>", 8) << false << QByteArray() << QByteArray("1:1\tstart\tb\n");
    QTest::newRow("columns of the converted text") << bytes("日本語のテスト<p>") << true << QByteArray()
                                                   << QByteArray("1:15\tstart\tp\n");
    QTest::newRow("columns of the unconverted text") << bytes("日本語のテスト<p>") << false << QByteArray()
                                                     << QByteArray("1:22\tstart\tp\n");
    QTest::newRow("excluded names are not counted") << QByteArray("<ul><li>a</ul>") << false << QByteArray("LI")
                                                    << QByteArray();
    QTest::newRow("several on a line, and a name longer than a block of the written text")
        << QByteArray("<a><b>\r\n</c></d>\r\n\r\n<" + QByteArray(20000, 'x') + ">") << false << QByteArray()
        << QByteArray("1:1\tstart\ta\n1:4\tstart\tb\n2:1\tend\tc\n2:5\tend\td\n4:1\tstart\t" + QByteArray(20000, 'x')
                      + "\n");
    QTest::newRow("nothing unpaired") << QByteArray("<p>a</p>") << false << QByteArray() << QByteArray();
}

void TestCli::unmatchedListsTheUnpairedTags()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, convert);
    QFETCH(QByteArray, excluded);
    QFETCH(QByteArray, expected);
    const ProgramRun run = runOnPage({"unmatched", "--rules", "xml"}, content, convert, excluded);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, expected.isEmpty() ? 0 : 1);
    QCOMPARE(run.out, expected);
}

void TestCli::unmatchedChecksFilesAndFolders_data()
{
    QTest::addColumn<QStringList>("arguments"); // paths below the test's folder
    QTest::addColumn<QByteArray>("expected");   // "@" stands for the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("a folder: its own files, each line led by the path")
        << QStringList{"site"} << QByteArray("@site/a.html\t2:8\tend\tp\n") << 1 << QString();
    QTest::newRow("-r goes down; a refused file is reported, the others checked")
        << QStringList{"-r", "site"}
        << QByteArray("@site/a.html\t2:8\tend\tp\n@site/sub/c.xml.html\t2:4\tstart\tb\n"
                      "@site/sub/s.html\t1:5\tstart\tdiv\n@site/sub/u.html\t1:7\tstart\tdiv\n")
        << 1 << "bad.html: bad.htmlはテキストファイルではないのでは？";
    QTest::newRow("--count: worst first, then by path")
        << QStringList{"--count", "-r", "--mask", "*.html", "site"}
        << QByteArray("1\t@site/a.html\n1\t@site/sub/c.xml.html\n1\t@site/sub/s.html\n"
                      "1\t@site/sub/u.html\n0\t@site/sub/e.html\n")
        << 1 << "bad.html";
    QTest::newRow("--mask picks the files")
        << QStringList{"--mask", "*.htm", "site"} << QByteArray() << 0 << QString();
    QTest::newRow("gnu columns count UTF-8 characters")
        << QStringList{"--format", "gnu", "site/sub/u.html"}
        << QByteArray("@site/sub/u.html:1:3: error: unclosed start tag <div>\n") << 1 << QString();
    QTest::newRow("gnu columns count Shift-JIS characters")
        << QStringList{"--format", "gnu", "site/sub/s.html"}
        << QByteArray("@site/sub/s.html:1:3: error: unclosed start tag <div>\n") << 1 << QString();
    QTest::newRow("gnu columns of several findings on a line")
        << QStringList{"--format", "gnu", "--rules", "xml", "site-line.html"}
        << QByteArray("@site-line.html:1:3: error: unclosed start tag <a>\n"
                      "@site-line.html:1:7: error: unclosed start tag <b>\n"
                      "@site-line.html:1:10: error: end tag </c> closes nothing\n"
                      "@site-line.html:2:1: error: unclosed start tag <d>\n")
        << 1 << QString();
    QTest::newRow("gnu line of a stray end tag")
        << QStringList{"--format", "gnu", "site/a.html"}
        << QByteArray("@site/a.html:2:8: error: end tag </p> closes nothing\n") << 1 << QString();
    QTest::newRow("several files, HTML and XML chosen for each")
        << QStringList{"site/b.htm", "site/sub/c.xml.html"}
        << QByteArray("@site/sub/c.xml.html\t2:4\tstart\tb\n") << 1 << QString();
    QTest::newRow("--rules xml pairs every tag")
        << QStringList{"--rules", "xml", "site/b.htm"} << QByteArray("1:5\tstart\tli\n") << 1 << QString();
    QTest::newRow("a clean file exits with 0") << QStringList{"site/b.htm"} << QByteArray() << 0 << QString();
}

void TestCli::unmatchedChecksFilesAndFolders()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QDir(m_dir->path()).mkpath("site/sub");
    write("site/a.html", "<!DOCTYPE html>\n<p><hr></p>\n");
    write("site/b.htm", "<ul><li>x</ul>");
    write("site/sub/c.xml.html", "<?xml version=\"1.0\"?>\n<a><b></a>");
    write("site/sub/e.html", "<p>x");
    write("site/sub/u.html", bytes("日本<div>"));
    write("site/sub/s.html", QByteArray("\x93\xfa\x96\x7b<div>"));
    write("site/sub/bad.html", QByteArray("ab\x01<", 4));
    write("site-line.html", bytes("日本<a>語<b></c>\r\n<d>"));
    QStringList withFolder{"unmatched"};
    for (const QString& argument : arguments)
        withFolder << (argument.startsWith("site") ? m_dir->filePath(argument) : argument);
    const ProgramRun run = runCli(withFolder);
    QCOMPARE(run.out, expected.replace('@', QFile::encodeName(m_dir->path() + "/")));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(error.isEmpty() ? run.err.isEmpty() : run.err.contains(error), qPrintable(run.err));
}

void TestCli::treePositionsNameTheBytesThatBeganTheNodes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<QByteArray>("excluded");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("text before the first tag begins at 1:1")
        << QByteArray("top<a>\n<b>") << false << QByteArray() << QByteArray("0\t1:1\ttop\n0\t1:4\t<a>\n1\t2:1\t <b>\n");
    QTest::newRow("a first tag begins at 1:1")
        << QByteArray("<a>x") << false << QByteArray() << QByteArray("0\t1:1\t<a>x\n");
    QTest::newRow("lines of a PRE block begin at their first byte")
        << QByteArray("<pre>a\r\n  b\r\n<i>c</pre>") << false << QByteArray()
        << QByteArray("0\t1:1\t<pre>a\n1\t2:1\t b\n0\t3:1\t<i>c</pre>\n");
    QTest::newRow("lines of a SCRIPT block, its own breaks made CR LF")
        << QByteArray("<p><script>\nx<y;\n</script><q>") << false << QByteArray()
        << QByteArray("0\t1:1\t<p>\n1\t1:4\t <script>\n2\t2:1\t x  <y;\n1\t3:1\t </script>\n1\t3:10\t <q>\n");
    QTest::newRow("excluded tags keep their own positions")
        << QByteArray("<ul>\r\n  <li>a\r\n  <li>b</ul>") << false << QByteArray("LI")
        << QByteArray("0\t1:1\t<ul>  \n1\t2:3\t <li>a  \n1\t3:3\t <li>b\n0\t3:8\t</ul>\n");
    QTest::newRow("a node put in front of the others, texts the walk joined")
        << QByteArray("x\r\ny<script>\r\n  a\r\n b\r\n</script>\r\nc") << false << QByteArray()
        << QByteArray("0\t5:1\t</script>c\n0\t1:1\txy\n0\t2:2\t<script>\n1\t3:1\t a\n0\t4:1\t b\n");
    QTest::newRow("columns of the converted text")
        << bytes("日本語<p>a") << true << QByteArray()
        << QByteArray("0\t1:1\t") + QByteArray::fromStdString(shiftJis("日本語")) + "\n0\t1:7\t<p>a\n";
    QTest::newRow("columns of the unconverted text")
        << bytes("日本語<p>a") << false << QByteArray()
        << QByteArray("0\t1:1\t") + bytes("日本語") + "\n0\t1:10\t<p>a\n";
}

void TestCli::treePositionsNameTheBytesThatBeganTheNodes()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, convert);
    QFETCH(QByteArray, excluded);
    QFETCH(QByteArray, expected);
    const ProgramRun run = runOnPage({"tree", "--positions"}, content, convert, excluded);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
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
    // The name comes as the file system spells it (UTF-8), not as Shift-JIS.
    QTest::newRow("not text, named in Japanese") << "check" << "日本語.htm" << QByteArray("ab\x01<", 4)
                                                 << "日本語.htmはテキストファイルではないのでは？";
    QTest::newRow("end of file during the check") << "indent" << "short.txt" << QByteArray("abc")
                                                  << "Read beyond end of file";
    QTest::newRow("cannot open") << "tree" << "" << QByteArray() << "誰かがそのファイルmissing.htmlを握っていませんか";
    QTest::newRow("cannot open the list file") << "export" << "page.html" << QByteArray("<a>") << "No such file";
    QTest::newRow("unmatched, not text") << "unmatched" << "data.bin" << QByteArray("ab\x01<", 4)
                                         << "data.binはテキストファイルではないのでは？";
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
    QTest::newRow("unmatched takes no --run-log") << QStringList{"unmatched", "--run-log", "x.log", "a.html"};
    QTest::newRow("unmatched, unknown rules") << QStringList{"unmatched", "--rules", "sgml", "a.html"};
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

void TestCli::specialEmptyAndBombFilesAreRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    // A pipe would keep the tool waiting for a writer; no file but a regular
    // one is read.
    for (const char* command : {"indent", "tree", "export", "check"}) {
        QTest::addRow("%s a folder", command) << command << "folder" << "誰かがそのファイルfolderを握っていませんか";
        QTest::addRow("%s a named pipe", command) << command << "pipe" << "誰かがそのファイルpipeを握っていませんか";
        QTest::addRow("%s a socket", command) << command << "socket" << "誰かがそのファイルsocketを握っていませんか";
        QTest::addRow("%s an empty file", command) << command << "empty.html" << "Read beyond end of file";
    }
    const QString bombError = QString("インデントの結果が %1 バイトを超えたため中止しました。"
                                      "閉じないタグは除外タグに加えてください")
                                  .arg(vorelind::listingBudget(300000));
    for (const char* command : {"indent", "tree", "export"}) {
        QTest::addRow("%s a nesting bomb", command) << command << "bomb.html" << bombError;
        QTest::addRow("%s a file over the size limit", command)
            << command << "huge.html" << "ファイル huge.html は大きすぎるため処理できません";
    }
}

// The path of an input named in a data row: the folder, pipe or socket that
// init() made, or a file made here.
QString TestCli::inputPath(const QString& name)
{
    if (name == "empty.html")
        return write(name, QByteArray());
    if (name == "bomb.html")
        return write(name, QByteArray("<a>").repeated(100000));
    if (name == "huge.html") {
        const QString path = write(name, "<");
        growFile(path, static_cast<qint64>(vorelind::kMaxSourceSize) + 1);
        return path;
    }
    return m_dir->filePath(name);
}

void TestCli::specialEmptyAndBombFilesAreRefused()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const ProgramRun run = runCli({command, inputPath(name)});
    QCOMPARE(run.exitCode, 1);
    // The listing streams out as it is walked, so a walk stopped by the
    // budget leaves what it had written; a refused file writes nothing.
    if (name != "bomb.html" || command == "tree")
        QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, "vorelind-cli: " + message + "\n");
}

void TestCli::failingOptionFilesExitWithTheMessage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");

    QTest::newRow("excluded list is a folder") << QStringList{"indent", "--exclude", "folder"} << "ファイル %1 は開けません";
    QTest::newRow("excluded list is a named pipe") << QStringList{"tree", "--exclude", "pipe"} << "ファイル %1 は開けません";
    QTest::newRow("run log is a folder") << QStringList{"indent", "--run-log", "folder"} << "Is a directory";
    // A pipe would hold the run for good; a link would append elsewhere.
    QTest::newRow("run log is a named pipe") << QStringList{"indent", "--run-log", "pipe"} << "Operation not permitted";
    QTest::newRow("run log is a symbolic link") << QStringList{"indent", "--run-log", "link"} << "Operation not permitted";
    QTest::newRow("run log is a socket") << QStringList{"indent", "--run-log", "socket"} << "Operation not permitted";
    QTest::newRow("export into a named pipe") << QStringList{"export", "-o", "pipe"} << "ファイル %1 を作成できません";
    QTest::newRow("export into a missing folder")
        << QStringList{"export", "-o", "missing/out.htm"} << "ファイル %1 を作成できません";
    QTest::newRow("export into a missing folder named in Japanese")
        << QStringList{"export", "-o", "無い/出力.htm"} << "ファイル %1 を作成できません";
}

void TestCli::failingOptionFilesExitWithTheMessage()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    const QString optionFile = inputPath(options.takeLast());
    const ProgramRun run = runCli(options << optionFile << write("page.html", "<p>x</p>"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, "vorelind-cli: " + message.arg(optionFile) + "\n");
}

void TestCli::fileNamesAfterTheEndOfOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("out");

    QTest::newRow("a file named --help") << QStringList{"indent", "--", "--help"} << QByteArray("\r\n<p>x\r\n</p>");
    QTest::newRow("a file named like an option") << QStringList{"check", "--", "-x.html"} << QByteArray("text\n");
    QTest::newRow("options before the end of options")
        << QStringList{"tree", "--sjis", "--", "-x.html"} << QByteArray("0\t<p>x\n0\t</p>\n");
}

void TestCli::fileNamesAfterTheEndOfOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, out);
    write(arguments.last(), "<p>x</p>");
    QProcess cli;
    cli.setWorkingDirectory(m_dir->path());

    cli.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/vorelind-cli", arguments);

    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(cli.readAllStandardOutput(), out);
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
    const ProgramRun run = runCli({command, write("cut.html", source)});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
