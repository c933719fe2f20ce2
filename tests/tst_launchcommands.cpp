#include "launch/launchcommands.h"
#include "platform/displaytext.h"
#include "util/commandline.h"
#include "testlines.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace vorelind;

class TestLaunchCommands : public QObject {
    Q_OBJECT

private slots:
    void helpFilePathReplacesOrAppendsExtension_data();
    void helpFilePathReplacesOrAppendsExtension();
    void missingHelpMessageNamesThePath();
    void lineAnalysisCommandQuotesPiecesWithBlanks_data();
    void lineAnalysisCommandQuotesPiecesWithBlanks();
    void openHelpOpensPresentFile();
    void openHelpReportsMissingFile();
};

void TestLaunchCommands::helpFilePathReplacesOrAppendsExtension_data()
{
    QTest::addColumn<std::string>("executable");
    QTest::addColumn<std::string>("help");

    QTest::newRow("windows executable") << std::string("D:\\tools\\X.exe") << std::string("D:\\tools\\X.chm");
    QTest::newRow("no extension") << std::string("/opt/vorelind/vorelind") << std::string("/opt/vorelind/vorelind.chm");
    QTest::newRow("dot in a folder only") << std::string("/opt/v1.2/vorelind") << std::string("/opt/v1.2/vorelind.chm");
    QTest::newRow("last dot of the name") << std::string("C:\\a.b\\x.tar.exe") << std::string("C:\\a.b\\x.tar.chm");
    QTest::newRow("folder name with a 5C second byte")
        << fromDisplayText(u"C:\\表.d\\vorelind"_qs) << fromDisplayText(u"C:\\表.d\\vorelind.chm"_qs);
}

void TestLaunchCommands::helpFilePathReplacesOrAppendsExtension()
{
    QFETCH(std::string, executable);
    QFETCH(std::string, help);

    QCOMPARE(bytes(helpFilePath(executable)), bytes(help));
}

void TestLaunchCommands::missingHelpMessageNamesThePath()
{
    const std::string expected = fromDisplayText(u"ヘルプファイルD:\\tools\\X.chmがありません"_qs);

    QCOMPARE(bytes(missingHelpMessage("D:\\tools\\X.chm")), bytes(expected));
}

void TestLaunchCommands::lineAnalysisCommandQuotesPiecesWithBlanks_data()
{
    QTest::addColumn<std::string>("workFile");
    QTest::addColumn<std::string>("title");
    QTest::addColumn<std::string>("command");

    QTest::newRow("loaded file") << std::string("D:\\tools\\w.htm") << fromDisplayText(u"「index.htm」"_qs)
                                 << fromDisplayText(u"kivalter D:\\tools\\w.htm 「index.htm」"_qs);
    QTest::newRow("nothing loaded: ends in the blank") << std::string("/opt/v/w.htm") << std::string()
                                                       << std::string("kivalter /opt/v/w.htm ");
    QTest::newRow("blank in the folder") << std::string("C:\\Program Files\\v\\w.htm") << std::string("t")
                                         << std::string("kivalter \"C:\\Program Files\\v\\w.htm\" t");
    QTest::newRow("title with toolkit options")
        << std::string("/opt/v/w.htm") << fromDisplayText(u"「a -platformpluginpath . -platform evil b.html」"_qs)
        << fromDisplayText(u"kivalter /opt/v/w.htm \"「a -platformpluginpath . -platform evil b.html」\""_qs);
    QTest::newRow("quote and backslash before it")
        << std::string("/opt/v/w.htm") << std::string("a\\\"b") << std::string("kivalter /opt/v/w.htm \"a\\\\\\\"b\"");
    QTest::newRow("backslash before the closing quote")
        << std::string("/a b\\") << std::string("t") << std::string("kivalter \"/a b\\\\\" t");
    // 表 is 95 5C: its second byte is no backslash to double.
    QTest::newRow("Shift-JIS second byte 5C at the end")
        << std::string("/opt/v/w.htm") << std::string("a \x95\x5c") << std::string("kivalter /opt/v/w.htm \"a \x95\x5c\"");
}

// The command reads back, by the tool's rules, as the work file and the title.
void TestLaunchCommands::lineAnalysisCommandQuotesPiecesWithBlanks()
{
    QFETCH(std::string, workFile);
    QFETCH(std::string, title);
    QFETCH(std::string, command);

    QCOMPARE(bytes(lineAnalysisCommand(workFile, title)), bytes(command));
    std::vector<std::string> words{"kivalter", workFile};
    if (!title.empty())
        words.push_back(title);
    QCOMPARE(splitCommandLine(command), words);
    QCOMPARE(bytes(workFilePath("/opt/v/")), bytes("/opt/v/w.htm"));
}

void TestLaunchCommands::openHelpOpensPresentFile()
{
    QTemporaryDir folder;
    const std::string executable = folder.filePath("vorelind").toStdString();
    std::ofstream(executable + ".chm") << "help";
    std::vector<std::string> opened;
    int reports = 0;

    openHelp(
        executable, [&](const std::string& target) { opened.push_back(target); },
        [&](const std::string&, const std::string&) { ++reports; });

    QCOMPARE(opened, std::vector<std::string>{executable + ".chm"});
    QCOMPARE(reports, 0);
}

void TestLaunchCommands::openHelpReportsMissingFile()
{
    QTemporaryDir folder;
    const std::string executable = folder.filePath("vorelind").toStdString();
    int opens = 0;
    std::string text;
    std::string caption;

    openHelp(
        executable, [&](const std::string&) { ++opens; },
        [&](const std::string& reportedText, const std::string& reportedCaption) {
            text = reportedText;
            caption = reportedCaption;
        });

    QCOMPARE(opens, 0);
    QCOMPARE(bytes(text), bytes(missingHelpMessage(executable + ".chm")));
    QCOMPARE(bytes(caption), bytes(fromDisplayText(u"目次表示不可"_qs)));
}

QTEST_GUILESS_MAIN(TestLaunchCommands)
#include "tst_launchcommands.moc"
