#include "launch/launchcommands.h"
#include "platform/displaytext.h"
#include "platform/sjistext.h"
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
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("help");

    QTest::newRow("windows executable") << u"D:\\tools\\X.exe"_qs << u"D:\\tools\\X.chm"_qs;
    QTest::newRow("no extension") << u"/opt/vorelind/vorelind"_qs << u"/opt/vorelind/vorelind.chm"_qs;
    QTest::newRow("dot in a folder only") << u"/opt/v1.2/vorelind"_qs << u"/opt/v1.2/vorelind.chm"_qs;
    QTest::newRow("last dot of the name") << u"/opt/a.b/x.tar.exe"_qs << u"/opt/a.b/x.tar.chm"_qs;
    QTest::newRow("folder named in Japanese") << u"/opt/表.d/目次"_qs << u"/opt/表.d/目次.chm"_qs;
    QTest::newRow("name Shift-JIS can't spell") << u"/opt/café_ü/v😀.bin"_qs << u"/opt/café_ü/v😀.chm"_qs;
}

void TestLaunchCommands::helpFilePathReplacesOrAppendsExtension()
{
    QFETCH(QString, executable);
    QFETCH(QString, help);

    QCOMPARE(QString::fromStdU16String(helpFilePath(executable.toStdU16String()).u16string()), help);
}

void TestLaunchCommands::missingHelpMessageNamesThePath()
{
    const std::string expected = fromDisplayText(u"ヘルプファイルD:\\tools\\X.chmがありません"_qs);

    QCOMPARE(bytes(missingHelpMessage("D:\\tools\\X.chm")), bytes(expected));
}

void TestLaunchCommands::lineAnalysisCommandQuotesPiecesWithBlanks_data()
{
    QTest::addColumn<QString>("workFile");
    QTest::addColumn<std::string>("title");
    QTest::addColumn<QString>("command");

    QTest::newRow("loaded file") << u"/opt/v/w.htm"_qs << fromDisplayText(u"「index.htm」"_qs)
                                 << u"kivalter /opt/v/w.htm 「index.htm」"_qs;
    QTest::newRow("nothing loaded: ends in the blank") << u"/opt/v/w.htm"_qs << std::string()
                                                       << u"kivalter /opt/v/w.htm "_qs;
    QTest::newRow("blank in the folder") << u"/home/a b/w.htm"_qs << std::string("t")
                                         << u"kivalter \"/home/a b/w.htm\" t"_qs;
    QTest::newRow("folder Shift-JIS can't spell, as the file system spells it")
        << u"/home/café_ü😀/w.htm"_qs << std::string("t") << u"kivalter /home/café_ü😀/w.htm t"_qs;
    QTest::newRow("title with toolkit options")
        << u"/opt/v/w.htm"_qs << fromDisplayText(u"「a -platformpluginpath . -platform evil b.html」"_qs)
        << u"kivalter /opt/v/w.htm \"「a -platformpluginpath . -platform evil b.html」\""_qs;
    QTest::newRow("quote and backslash before it")
        << u"/opt/v/w.htm"_qs << std::string("a\\\"b") << u"kivalter /opt/v/w.htm \"a\\\\\\\"b\""_qs;
    QTest::newRow("backslash before the closing quote")
        << u"/a b\\"_qs << std::string("t") << u"kivalter \"/a b\\\\\" t"_qs;
}

// The command reads back, by the tool's rules, as the work file and the title.
void TestLaunchCommands::lineAnalysisCommandQuotesPiecesWithBlanks()
{
    QFETCH(QString, workFile);
    QFETCH(std::string, title);
    QFETCH(QString, command);

    const std::string line = lineAnalysisCommand(workFile.toStdU16String(), title);
    QCOMPARE(QString::fromStdString(line), command);
    std::vector<std::string> words{"kivalter", workFile.toStdString()};
    if (!title.empty())
        words.push_back(sjisToUtf8(title));
    QCOMPARE(splitCommandLine(line), words);
    QCOMPARE(workFilePath("/opt/v/").native(), "/opt/v/w.htm");
}

void TestLaunchCommands::openHelpOpensPresentFile()
{
    QTemporaryDir folder;
    const std::string executable = folder.filePath("vorelind").toStdString();
    std::ofstream(executable + ".chm") << "help";
    std::vector<std::string> opened;
    int reports = 0;

    openHelp(
        executable, [&](const std::filesystem::path& target) { opened.push_back(target.native()); },
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
        executable, [&](const std::filesystem::path&) { ++opens; },
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
