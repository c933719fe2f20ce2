#include "document/sizelimits.h"
#include "platform/codecs/displaytext.h"
#include "platform/process/toollink.h"
#include "testlines.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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
    void init();
    void reportsBalance_data();
    void reportsBalance();
    void reportShowsLevelsTagsAndShiftJisText();
    void findingsOnTheListingAreTheSourcesFindings_data();
    void findingsOnTheListingAreTheSourcesFindings();
    void reportHoldsABigWorkFile();
    void refusesAWorkFileTooLargeToHold();
    void unreadableWorkFileGivesMessage();
    void reportErrorIsInTheTerminalsEncoding();
    void refusesIncompleteReportCommand();
    void windowSaysItReadTheWorkFileAndListensForRaise_data();
    void windowSaysItReadTheWorkFileAndListensForRaise();
    void linkLiesInAFolderClosedToOthers_data();
    void linkLiesInAFolderClosedToOthers();
    void linkTellsTheUserAtTheOtherEnd();
    void titleWordsNeverReachTheToolkit_data();
    void titleWordsNeverReachTheToolkit();

private:
    QTemporaryDir m_runtime;
};

// The links of the tools the tests start lie in a folder of the tests' own.
void TestKivalter::init()
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

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
    const ProgramRun fromSource = runProgram("vorelind-cli", {"unmatched", "--rules", "xml", "--exclude", list, page});
    QCOMPARE(walked.exitCode, 0);
    QCOMPARE(fromSource.exitCode, fromSource.out.isEmpty() ? 0 : 1);
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

// The analysis reads the lines from the listing's bytes: lines deeper than
// its marks count, and a report handed over in many pieces, come out whole.
void TestKivalter::reportHoldsABigWorkFile()
{
    constexpr int kPairs = 20000;
    const std::string deep((std::size_t(1) << 23) + 10, ' ');
    std::string listing;
    for (int i = 0; i < kPairs; ++i)
        listing += "<p>\r\n</p>\r\n";
    listing += deep + "<i>x\r\n" + deep + "  text\r\n" + deep + "</i>\r\n";
    QTemporaryDir folder;
    QFile work(folder.filePath("w.htm"));
    const auto size = static_cast<qint64>(listing.size());
    QVERIFY(work.open(QIODevice::WriteOnly) && work.write(listing.data(), size) == size);
    work.close();

    const ProgramRun run = runKivalter({"--report", work.fileName()});

    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> rows = run.out.split('\n');
    const int lines = 2 * kPairs + 3;
    QCOMPARE(rows.value(0), QByteArray::number(lines) + " lines, 0 unclosed, 0 stray");
    QList<QByteArray> brokenRows;
    for (int line = 1; line <= lines; ++line) {
        const QList<QByteArray> fields = rows.value(line + 1).split('\t');
        if (fields.size() != 6 || fields[0] != QByteArray::number(line))
            brokenRows << rows.value(line + 1).left(40);
    }
    QCOMPARE(brokenRows, QList<QByteArray>());
    QCOMPARE(rows.value(lines - 1), QByteArray::number(lines - 2) + '\t' + QByteArray::number(deep.size() / 2)
                                        + "\tstart\tmatched\tI\t<i>x");
    QCOMPARE(rows.mid(lines + 4), (QList<QByteArray>{"I\t1\t1\t0\t0\t", "P\t20000\t20000\t0\t0\t", ""}));
}

// A work file larger than the program ever hands over is refused before it
// is read, not read until memory runs out.
void TestKivalter::refusesAWorkFileTooLargeToHold()
{
    QTemporaryDir folder;
    QFile work(folder.filePath("w.htm"));
    QVERIFY(work.open(QIODevice::WriteOnly) && work.resize(static_cast<qint64>(vorelind::listingBudget(vorelind::kMaxSourceSize)) + 1));
    work.close();

    const ProgramRun run = runKivalter({"--report", work.fileName()});

    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains("cannot analyse the work file " + work.fileName() + ": it holds more than"), qPrintable(run.err));
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

// A socket left behind by a tool that was killed: bound, and closed unremoved.
bool leaveStaleSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

void TestKivalter::windowSaysItReadTheWorkFileAndListensForRaise_data()
{
    QTest::addColumn<bool>("staleLink");

    QTest::newRow("no link yet") << false;
    QTest::newRow("the stale link of a killed tool") << true;
}

// The program deletes the work file once the window says it has read it, and
// finds the open window by the work file to bring it to the front.
void TestKivalter::windowSaysItReadTheWorkFileAndListensForRaise()
{
    QFETCH(bool, staleLink);
    QTemporaryDir folder;
    const QString workFile = writeWorkFile(folder, {"<p>", "</p>"});
    QVERIFY(!staleLink || leaveStaleSocket(vorelind::toolLinkName(workFile)));
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

void TestKivalter::linkLiesInAFolderClosedToOthers_data()
{
    QTest::addColumn<QString>("runtimeFolder");   // "private", "open" or "unset"
    QTest::addColumn<QString>("temporaryFolder"); // what already stands at the user's folder there
    QTest::addColumn<QString>("linkFolder");      // "runtime", "temporary" or "none"

    QTest::newRow("the user's runtime folder") << "private" << "nothing" << "runtime";
    QTest::newRow("no runtime folder: one of the user's made") << "unset" << "nothing" << "temporary";
    QTest::newRow("a runtime folder open to others") << "open" << "nothing" << "temporary";
    QTest::newRow("a temporary folder open to others") << "unset" << "open folder" << "none";
    QTest::newRow("a symbolic link to a private folder") << "unset" << "symbolic link" << "none";
    QTest::newRow("a folder of another user's") << "unset" << "foreign folder" << "none";
}

// Another user who could put the link's folder in place first would take
// the raise requests and leave the tool without its link.
void TestKivalter::linkLiesInAFolderClosedToOthers()
{
    QFETCH(QString, runtimeFolder);
    QFETCH(QString, temporaryFolder);
    QFETCH(QString, linkFolder);
    QTemporaryDir runtime;
    QTemporaryDir temporary;
    QVERIFY(runtime.isValid() && temporary.isValid());
    if (runtimeFolder == "unset")
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QVERIFY(runtimeFolder != "open" || ::chmod(QFile::encodeName(runtime.path()), 0777) == 0);
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    const QString own = temporary.filePath(QStringLiteral("vorelind-%1").arg(::geteuid()));
    const QByteArray ownName = QFile::encodeName(own);
    if (temporaryFolder == "open folder")
        QVERIFY(::mkdir(ownName, 0700) == 0 && ::chmod(ownName, 0777) == 0);
    if (temporaryFolder == "symbolic link")
        QVERIFY(QDir(temporary.path()).mkdir("private") && QFile::link(temporary.filePath("private"), own));
    if (temporaryFolder == "foreign folder") {
        QVERIFY(::mkdir(ownName, 0700) == 0);
        if (::chown(ownName, ::geteuid() + 1, static_cast<gid_t>(-1)) != 0)
            QSKIP("only the superuser can give a folder to another user");
    }

    const QString link = vorelind::toolLinkName(QStringLiteral("w.htm"));
    qunsetenv("TMPDIR");

    const QString expected = linkFolder == "runtime" ? runtime.path() : linkFolder == "temporary" ? own : QString();
    QCOMPARE(link.isEmpty() ? QString() : QFileInfo(link).path(), expected);
    struct stat status {};
    QVERIFY(linkFolder != "temporary" || (::lstat(ownName, &status) == 0 && (status.st_mode & 07777) == 0700));
}

// The tool drops a connection from another user's process.
void TestKivalter::linkTellsTheUserAtTheOtherEnd()
{
    int ends[2];
    QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);

    const bool own = vorelind::peerRunsAs(ends[0], ::geteuid());
    const bool other = vorelind::peerRunsAs(ends[0], ::geteuid() + 1);
    ::close(ends[0]);
    ::close(ends[1]);

    QVERIFY(own);
    QVERIFY(!other);
}

QTEST_GUILESS_MAIN(TestKivalter)
#include "tst_kivalter.moc"
