#include "platform/displaytext.h"
#include "platform/toollink.h"
#include "testlines.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

ProgramRun runKivalter(const QStringList& arguments)
{
    return runProgram("kivalter", arguments);
}

// The work file as the program writes it: Shift-JIS lines, each + CR LF.
QString writeWorkFile(const QTemporaryDir& folder, const QStringList& lines)
{
    std::string bytes;
    for (const QString& line : lines)
        bytes += vorelind::fromDisplayText(line) + "\r\n";
    const QString path = folder.filePath("w.htm");
    QFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size)
        return {};
    return path;
}

// "KIND BALANCE" of each line row, and the tag rows whole.
struct ParsedReport {
    QString totals;
    QStringList lineMarks;
    QStringList tagRows;
};

ParsedReport parseReport(const QString& report)
{
    ParsedReport parsed;
    const QStringList rows = report.split('\n');
    parsed.totals = rows.value(0);
    const qsizetype gap = rows.indexOf(QString());
    for (qsizetype i = 2; i < gap; ++i) {
        const QStringList fields = rows[i].split('\t');
        parsed.lineMarks << fields.value(2) + ' ' + fields.value(3);
    }
    for (qsizetype i = gap + 2; i < rows.size(); ++i) {
        if (!rows[i].isEmpty())
            parsed.tagRows << rows[i];
    }
    return parsed;
}

} // namespace

class TestKivalter : public QObject {
    Q_OBJECT

private slots:
    void reportsBalance_data();
    void reportsBalance();
    void reportShowsLevelsTagsAndShiftJisText();
    void findingsOnTheListingAreTheSourcesFindings_data();
    void findingsOnTheListingAreTheSourcesFindings();
    void unreadableWorkFileGivesMessage();
    void reportErrorIsInTheTerminalsEncoding();
    void refusesIncompleteReportCommand();
    void windowSaysItReadTheWorkFileAndListensForRaise();
    void titleWordsNeverReachTheToolkit_data();
    void titleWordsNeverReachTheToolkit();
};

void TestKivalter::reportsBalance_data()
{
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QStringList>("lineMarks");
    QTest::addColumn<QStringList>("tagRows");

    QTest::newRow("balanced")
        << QStringList{"<html>", "  <body>", "    <p>Hi", "    </p>", "  </body>", "</html>"}
        << "6 lines, 0 unclosed, 0 stray"
        << QStringList{"start matched", "start matched", "start matched", "end matched", "end matched",
                       "end matched"}
        << QStringList{"BODY\t1\t1\t0\t0\t", "HTML\t1\t1\t0\t0\t", "P\t1\t1\t0\t0\t"};
    QTest::newRow("unclosed inside a closed element")
        << QStringList{"<div>", "  <p>one", "    <p>two", "    </div>"}
        << "4 lines, 2 unclosed, 0 stray"
        << QStringList{"start matched", "start unclosed", "start unclosed", "end matched"}
        << QStringList{"DIV\t1\t1\t0\t0\t", "P\t2\t0\t0\t2\t2,3"};
    QTest::newRow("unclosed at the end")
        << QStringList{"<div>", "  <span>x"}
        << "2 lines, 2 unclosed, 0 stray"
        << QStringList{"start unclosed", "start unclosed"}
        << QStringList{"DIV\t1\t0\t0\t1\t1", "SPAN\t1\t0\t0\t1\t2"};
    QTest::newRow("stray end tag")
        << QStringList{"<div>", "</span>", "</div>"}
        << "3 lines, 0 unclosed, 1 stray"
        << QStringList{"start matched", "end stray", "end matched"}
        << QStringList{"DIV\t1\t1\t0\t0\t", "SPAN\t0\t1\t0\t1\t2"};
    QTest::newRow("empty element needs no end, self-closed tag leaves the depth")
        << QStringList{"<div>", "  <br>a", "    <img src=\"x\">", "  </div>"}
        << "4 lines, 0 unclosed, 0 stray"
        << QStringList{"start matched", "start void", "self-closed void", "end matched"}
        << QStringList{"BR\t1\t0\t0\t0\t", "DIV\t1\t1\t0\t0\t", "IMG\t0\t0\t1\t0\t"};
    QTest::newRow("a start tag the next line is no deeper than was self-closed")
        << QStringList{"<div>", "  <x>", "  <p>", "  </p>", "</div>", "<y>", "</div>"}
        << "7 lines, 1 unclosed, 1 stray"
        << QStringList{"start matched", "self-closed -", "start matched", "end matched", "end matched",
                       "start unclosed", "end stray"}
        << QStringList{"DIV\t1\t2\t0\t1\t7", "P\t1\t1\t0\t0\t", "X\t0\t0\t1\t0\t", "Y\t1\t0\t0\t1\t6"};
    QTest::newRow("a comment's tags and names glued to attributes")
        << QStringList{"<!-- a", "<p> b -->", "  <td\"x\">", "  </td>", "  <br>"}
        << "5 lines, 0 unclosed, 0 stray"
        << QStringList{"declaration -", "text -", "start matched", "end matched", "start void"}
        << QStringList{"BR\t1\t0\t0\t0\t", "TD\t1\t1\t0\t0\t"};
    QTest::newRow("a name whose every start leaves the depth alone was excluded")
        << QStringList{"<p>", "  <b>", "  <i>x", "  </i>", "  </b>", "</p>"}
        << "6 lines, 0 unclosed, 0 stray"
        << QStringList{"start matched", "self-closed -", "start matched", "end matched", "end -",
                       "end matched"}
        << QStringList{"B\t0\t1\t1\t0\t", "I\t1\t1\t0\t0\t", "P\t1\t1\t0\t0\t"};
    QTest::newRow("tags in PRE count, SCRIPT holds text")
        << QStringList{"<body>", "  <pre>one", "    two  <b>x  </b>", "    <i>three", "  </pre>",
                       "  <script src=\"x\">  </script>", "  <script>", "    if (a  <b) go();  </script>",
                       "</body>"}
        << "9 lines, 1 unclosed, 0 stray"
        << QStringList{"start matched", "start matched", "text matched", "start unclosed", "end matched",
                       "start matched", "start matched", "text matched", "end matched"}
        << QStringList{"B\t1\t1\t0\t0\t", "BODY\t1\t1\t0\t0\t", "I\t1\t0\t0\t1\t4", "PRE\t1\t1\t0\t0\t",
                       "SCRIPT\t2\t2\t0\t0\t"};
    QTest::newRow("leading text, comments and declarations")
        << QStringList{"Hello", "<!DOCTYPE html>", "<!-- note -->", "<?xml version=\"1.0\"?>", "<%= x %>"}
        << "5 lines, 0 unclosed, 0 stray"
        << QStringList{"text -", "declaration -", "declaration -", "declaration -", "declaration -"}
        << QStringList{};
    QTest::newRow("empty work file")
        << QStringList{} << "0 lines, 0 unclosed, 0 stray" << QStringList{} << QStringList{};
}

void TestKivalter::reportsBalance()
{
    QFETCH(QStringList, listing);
    QFETCH(QString, totals);
    QFETCH(QStringList, lineMarks);
    QFETCH(QStringList, tagRows);
    QTemporaryDir folder;
    const QString workFile = writeWorkFile(folder, listing);
    QVERIFY(!workFile.isEmpty());

    const ProgramRun run = runKivalter({"--report", workFile});

    QCOMPARE(run.exitCode, 0);
    const ParsedReport report = parseReport(QString::fromUtf8(run.out));
    QCOMPARE(report.totals, totals);
    QCOMPARE(report.lineMarks, lineMarks);
    QCOMPARE(report.tagRows, tagRows);
}

void TestKivalter::reportShowsLevelsTagsAndShiftJisText()
{
    QTemporaryDir folder;
    const QString workFile =
        writeWorkFile(folder, {"<p class=\"x\">日本語の段落", "  <A href=\"y\">リンク", "  </a>", "</p>"});

    const ProgramRun run = runKivalter({"--report", workFile});

    const QStringList expected{
        "4 lines, 0 unclosed, 0 stray",
        "LINE\tLEVEL\tKIND\tBALANCE\tTAG\tTEXT",
        "1\t0\tstart\tmatched\tP\t<p class=\"x\">日本語の段落",
        "2\t1\tstart\tmatched\tA\t<A href=\"y\">リンク",
        "3\t1\tend\tmatched\tA\t</a>",
        "4\t0\tend\tmatched\tP\t</p>",
        "",
        "TAG\tSTARTS\tENDS\tSELF-CLOSED\tUNMATCHED\tUNMATCHED LINES",
        "A\t1\t1\t0\t0\t",
        "P\t1\t1\t0\t0\t",
        "",
    };
    QCOMPARE(QString::fromUtf8(run.out).split('\n'), expected);
}

void TestKivalter::findingsOnTheListingAreTheSourcesFindings_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("excluded");

    QTest::newRow("a tag inside a comment") << QByteArray("<div><!-- <p> --></div>") << QByteArray();
    QTest::newRow("self-closed tags") << QByteArray("<a><x/><y/></a><b><z/></b>") << QByteArray();
    QTest::newRow("names glued to quotes") << QByteArray("<td\"x\">a</td><p'y'>") << QByteArray();
    QTest::newRow("overlapping tags") << QByteArray("<b><i>x</b></i>") << QByteArray();
    QTest::newRow("a quoted '>' and a script's text")
        << QByteArray("<p title=\"a>b\"><script>if (a<b) x('</p>');</script></p>") << QByteArray();
    QTest::newRow("excluded names") << QByteArray("<ul><li>a<li>b</li></ul></span>") << QByteArray("LI");
    QTest::newRow("an excluded name on the last line") << QByteArray("<ul><li>a</ul><li>") << QByteArray("LI");
    QTest::newRow("a PRE block's tags") << QByteArray("<pre>\r\n<b>x\r\n</pre><i>") << QByteArray();
}

// The window balances the source, kivalter the listing the window hands it:
// both must find the same tags, in the same order.
void TestKivalter::findingsOnTheListingAreTheSourcesFindings()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, excluded);
    QTemporaryDir folder;
    const QString page = folder.filePath("page.html");
    const QString list = folder.filePath("ignore.trm");
    QFile pageFile(page);
    QFile listFile(list);
    QVERIFY(pageFile.open(QIODevice::WriteOnly) && pageFile.write(source) == source.size());
    QVERIFY(listFile.open(QIODevice::WriteOnly) && listFile.write(excluded) == excluded.size());
    pageFile.close();
    listFile.close();
    const ProgramRun walked = runProgram("vorelind-cli", {"indent", "--exclude", list, page});
    const ProgramRun fromSource = runProgram("vorelind-cli", {"unmatched", "--exclude", list, page});
    QCOMPARE(walked.exitCode, 0);
    QCOMPARE(fromSource.exitCode, 0);
    const QString workFile = folder.filePath("w.htm");
    QFile work(workFile);
    QVERIFY(work.open(QIODevice::WriteOnly) && work.write(walked.out) == walked.out.size());
    work.close();

    const ProgramRun run = runKivalter({"--report", workFile});

    QCOMPARE(run.exitCode, 0);
    QStringList sourceFindings;
    for (const QByteArray& row : fromSource.out.split('\n')) {
        const QList<QByteArray> fields = row.split('\t');
        if (fields.size() == 3)
            sourceFindings << (fields[1] == "start" ? "unclosed " : "stray ") + fields[2].toUpper();
    }
    QStringList listingFindings;
    for (const QString& row : QString::fromUtf8(run.out).split('\n')) {
        const QStringList fields = row.split('\t');
        if (fields.size() == 6 && (fields[3] == "unclosed" || fields[3] == "stray"))
            listingFindings << fields[3] + ' ' + fields[4];
    }
    QCOMPARE(listingFindings, sourceFindings);
}

void TestKivalter::unreadableWorkFileGivesMessage()
{
    QTemporaryDir folder;

    const ProgramRun run = runKivalter({"--report", folder.filePath("missing.htm")});

    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains("cannot read the work file " + folder.filePath("missing.htm")), qPrintable(run.err));
}

void TestKivalter::reportErrorIsInTheTerminalsEncoding()
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath("w.htm");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    const ProgramRun run = runKivalter({"--report", pipe});

    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QString::fromUtf8("ファイル %1 は開けません").arg(pipe)), qPrintable(run.err));
}

void TestKivalter::titleWordsNeverReachTheToolkit_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QStringList>("title");
    QTest::addColumn<bool>("runs");

    QTest::newRow("-platform naming a plugin that is not there")
        << "offscreen" << QStringList{"「a", "-platform", "evil", "b.html」"} << true;
    QTest::newRow("-platformpluginpath DIR -platform NAME")
        << "offscreen" << QStringList{"「a", "-platformpluginpath", "DIR", "-platform", "evil", "b.html」"} << true;
    QTest::newRow("-display, -reverse and -style")
        << "offscreen" << QStringList{"「x", "-display", "host:0", "-reverse", "-style", "evil", "y.html」"} << true;
    // The title's platform would rescue a broken one of the toolkit's own.
    QTest::newRow("-platform offscreen") << "evil" << QStringList{"「a", "-platform", "offscreen", "b.html」"} << false;
}

// The window stays up with a hostile title, or fails as its toolkit setting
// makes it, whatever the title says.
void TestKivalter::titleWordsNeverReachTheToolkit()
{
    QFETCH(QString, platform);
    QFETCH(QStringList, title);
    QFETCH(bool, runs);
    QTemporaryDir folder;
    // A library named as a platform plugin in the folder that the title names.
    QVERIFY(QDir(folder.path()).mkdir("plugins"));
    QFile plugin(folder.filePath("plugins/libevil.so"));
    QVERIFY(plugin.open(QIODevice::WriteOnly) && plugin.write("not a library") > 0);
    plugin.close();
    title.replaceInStrings(QRegularExpression("^DIR$"), folder.filePath("plugins"));
    const QString workFile = writeWorkFile(folder, {"<p>", "</p>"});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", platform);
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        environment.insert(variable, folder.path());
    QProcess kivalter;
    kivalter.setProcessEnvironment(environment);

    kivalter.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/kivalter", QStringList{workFile} + title);

    QVERIFY(kivalter.waitForStarted());
    const bool ended = kivalter.waitForFinished(runs ? 2000 : 30000);
    const QString errors = QString::fromLocal8Bit(kivalter.readAllStandardError());
    if (!ended) {
        kivalter.kill();
        kivalter.waitForFinished();
    }
    QVERIFY2(ended != runs, qPrintable(errors));
    QVERIFY2(!runs || !errors.contains("evil"), qPrintable(errors));
    QVERIFY2(runs || errors.contains("\"evil\""), qPrintable(errors));
}

void TestKivalter::refusesIncompleteReportCommand()
{
    const ProgramRun run = runKivalter({"--report"});

    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith("Usage: kivalter"));
}

// The program deletes the work file once the window says it has read it, and
// finds the open window by the work file to bring it to the front.
void TestKivalter::windowSaysItReadTheWorkFileAndListensForRaise()
{
    QTemporaryDir folder;
    const QString workFile = writeWorkFile(folder, {"<p>", "</p>"});
    QProcess tool;
    tool.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/kivalter", {workFile, "title"});

    QVERIFY(tool.waitForReadyRead(20000));
    QCOMPARE(tool.readAllStandardOutput(), QByteArray("read\n"));
    QLocalSocket link;
    QTRY_VERIFY_WITH_TIMEOUT((link.connectToServer(vorelind::toolLinkName(workFile)), link.waitForConnected(100)), 10000);
    link.write(vorelind::kRaiseRequest);
    QVERIFY(link.waitForBytesWritten(1000));
    QCOMPARE(tool.state(), QProcess::Running);
    tool.kill();
    tool.waitForFinished();
}

QTEST_GUILESS_MAIN(TestKivalter)
#include "tst_kivalter.moc"
