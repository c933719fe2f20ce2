#include "document/listing.h"
#include "launch/lineanalysislaunch.h"
#include "platform/codecs/displaytext.h"
#include "platform/process/processlauncher.h"
#include "util/commandline.h"
#include "faketoolrun.h"
#include "listingoftext.h"
#include "testlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

using namespace vorelind;

Q_DECLARE_METATYPE(std::vector<std::string>)

class TestProcessLauncher : public QObject {
    Q_OBJECT

private slots:
    void splitsLikeWindows_data();
    void splitsLikeWindows();
    void toolGetsCommandLineAndWorkFile();
    void waitKeepsEventLoopRunningAndRefusesSecondRun();
    void longCommandLineArrivesWhole();
    void programBesideExecutableComesBeforeSearchPath();
    void missingProgramEndsWaitAtOnce();
    void toolOutlivesTheQuittingApplication();
};

void TestProcessLauncher::splitsLikeWindows_data()
{
    QTest::addColumn<std::string>("commandLine");
    QTest::addColumn<std::vector<std::string>>("words");

    QTest::newRow("one blank") << std::string("kivalter a b") << std::vector<std::string>{"kivalter", "a", "b"};
    QTest::newRow("runs of blanks and TABs") << std::string("  kivalter \t a   b  ")
                                             << std::vector<std::string>{"kivalter", "a", "b"};
    QTest::newRow("trailing blank of an empty title") << std::string("kivalter /x/w.htm ")
                                                      << std::vector<std::string>{"kivalter", "/x/w.htm"};
    QTest::newRow("nothing") << std::string(" ") << std::vector<std::string>{};
    QTest::newRow("quoted blanks stay in the word") << std::string("kivalter \"/a b/w.htm\" \"x  y\"")
                                                    << std::vector<std::string>{"kivalter", "/a b/w.htm", "x  y"};
    QTest::newRow("quotes inside a word") << std::string("a\"b c\"d e")
                                          << std::vector<std::string>{"ab cd", "e"};
    QTest::newRow("empty quoted word") << std::string("kivalter \"\" x") << std::vector<std::string>{"kivalter", "", "x"};
    QTest::newRow("doubled quote inside quotes") << std::string("\"a\"\"b\"") << std::vector<std::string>{"a\"b"};
    QTest::newRow("backslashes stand alone") << std::string("C:\\a\\b\\ x") << std::vector<std::string>{"C:\\a\\b\\", "x"};
    QTest::newRow("escaped quote") << std::string("a\\\"b c") << std::vector<std::string>{"a\"b", "c"};
    QTest::newRow("pair of backslashes before a quote")
        << std::string("\"a\\\\\" b") << std::vector<std::string>{"a\\", "b"};
    QTest::newRow("three backslashes before a quote") << std::string("a\\\\\\\"b")
                                                      << std::vector<std::string>{"a\\\"b"};
    QTest::newRow("unclosed quote runs to the end") << std::string("\"a b") << std::vector<std::string>{"a b"};
    QTest::newRow("UTF-8 text") << std::string("\"日本 語\" x") << std::vector<std::string>{"日本 語", "x"};
}

void TestProcessLauncher::splitsLikeWindows()
{
    QFETCH(std::string, commandLine);
    QFETCH(std::vector<std::string>, words);

    QCOMPARE(splitCommandLine(commandLine), words);
}

void TestProcessLauncher::toolGetsCommandLineAndWorkFile()
{
    FakeToolRun tool;
    LineAnalysisLaunch launch(runAndWait);

    // A title with blanks arrives as one word, options of the toolkit included.
    QVERIFY(launch.run(listingOfText("<p>\r\n" + fromDisplayText(u"  日本語"_qs)), tool.executableFolder(),
                       fromDisplayText(u"「my -platform offscreen page.htm」"_qs), {}));

    QCOMPARE(tool.arguments(),
             (QStringList{QString::fromStdString(tool.workFile()), u"「my -platform offscreen page.htm」"_qs}));
    QCOMPARE(tool.workFileSeen(), QByteArray("<p>\r\n") + bytes(fromDisplayText(u"  日本語"_qs)) + "\r\n");
    QVERIFY(!std::filesystem::exists(tool.workFile()));
}

void TestProcessLauncher::waitKeepsEventLoopRunningAndRefusesSecondRun()
{
    FakeToolRun tool(1000);
    LineAnalysisLaunch launch(runAndWait);
    int timerRuns = 0;
    bool secondAccepted = true;
    bool toolEndedBeforeTimer = true;
    QTimer::singleShot(50, this, [&] {
        ++timerRuns;
        toolEndedBeforeTimer = tool.recorded();
        secondAccepted = launch.run(listingOfText("<second>"), tool.executableFolder(), "second", {});
    });

    QVERIFY(launch.run(listingOfText("<first>"), tool.executableFolder(), "first", {}));

    QVERIFY(tool.recorded());
    QCOMPARE(timerRuns, 1);
    QVERIFY(!toolEndedBeforeTimer);
    QVERIFY(!secondAccepted);
    QCOMPARE(tool.workFileSeen(), QByteArray("<first>\r\n"));
    QVERIFY(!std::filesystem::exists(tool.workFile()));
}

void TestProcessLauncher::longCommandLineArrivesWhole()
{
    FakeToolRun tool;
    const QString title = "「" + QString(480, u'あ') + "」";
    const std::string commandLine = "kivalter " + tool.workFile() + " " + title.toStdString();
    QVERIFY(commandLine.size() >= 1000);

    runAndWait(commandLine);

    QCOMPARE(tool.arguments(), (QStringList{QString::fromStdString(tool.workFile()), title}));
}

void TestProcessLauncher::programBesideExecutableComesBeforeSearchPath()
{
    FakeToolRun tool;
    QTemporaryDir pathFolder;
    // Each script on the search path records its own name.
    for (const QString& name : {u"kivalter"_qs, u"vorelind-onpath"_qs}) {
        QFile script(pathFolder.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nbasename \"$0\" > \"$VORELIND_FAKE_RECORD\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const QByteArray originalPath = qgetenv("PATH");
    qputenv("PATH", pathFolder.path().toLocal8Bit() + ":" + originalPath);

    runAndWait("kivalter beside");
    const QStringList besideRun = tool.arguments();
    runAndWait("vorelind-onpath");
    const QStringList pathRun = tool.arguments();
    qputenv("PATH", originalPath);

    QCOMPARE(besideRun, QStringList{"beside"});
    QCOMPARE(pathRun, QStringList{"vorelind-onpath"});
}

void TestProcessLauncher::missingProgramEndsWaitAtOnce()
{
    FakeToolRun tool;

    runAndWait("vorelind-no-such-program " + tool.workFile());
    runAndWait("/no/such/folder/kivalter x");
    runAndWait("");

    QVERIFY(!tool.recorded());
}

// Closing the main window quits the application inside the wait: the tool
// goes on running, and the work file, read by then, is deleted.
void TestProcessLauncher::toolOutlivesTheQuittingApplication()
{
    FakeToolRun tool(1500);
    LineAnalysisLaunch launch(runAndWait);
    bool toolRanOn = false;
    QTimer::singleShot(0, this, [&] {
        QTimer::singleShot(300, this, [] { QCoreApplication::quit(); });
        launch.run(listingOfText("<p>"), tool.executableFolder(), "title", {});
        toolRanOn = !tool.recorded();
    });

    QCoreApplication::exec();

    QVERIFY(toolRanOn);
    QCOMPARE(tool.workFileSeen(), QByteArray("<p>\r\n"));
    QVERIFY(!std::filesystem::exists(tool.workFile()));
    QTRY_VERIFY_WITH_TIMEOUT(tool.recorded(), 10000);
}

QTEST_GUILESS_MAIN(TestProcessLauncher)
#include "tst_processlauncher.moc"
