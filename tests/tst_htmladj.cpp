#include "document/sizelimits.h"
#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "platform/files/nativepath.h"
#include "platform/process/shell.h"
#include "platform/process/toollink.h"
#include "ui/abouttexts.h"
#include "ui/applicationsetup.h"
#include "ui/commandline.h"
#include "ui/errorreport.h"
#include "ui/htmladjabt.h"
#include "ui/internetlabel.h"
#include "ui/pagetabbar.h"
#include "ui/sourcetextedit.h"
#include "ui/sourceview.h"
#include "ui/programicon.h"
#include "ui/sitecheckpane.h"
#include "ui/walkprogress.h"
#include "faketoolrun.h"
#include "shellrecorder.h"
#include "formundertest.h"
#include "kanjisamples.h"
#include "testpage.h"
#include "testlines.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QTreeView>
#include <QContextMenuEvent>
#include <QMenu>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>

using namespace vorelind;

namespace {

// A <div> and a <p> never closed, and a </span> that closes nothing.
const QByteArray kUnbalancedPage = "<html>\r\n<body>\r\n<div>\r\n<p>one\r\n</span>\r\n<b title=\"a>b\">two</b>\r\n"
                                   "</body>\r\n</html>\r\n";

// The texts of the rows whose role holds the value, trimmed.
QStringList rowsWith(const QAbstractItemModel& model, int role, const QVariant& value)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, 0).data(role) == value)
            rows << model.index(row, 0).data().toString().trimmed();
    }
    return rows;
}

const QByteArray kPrePage = "<body>\r\n<!-- note -->\r\n<pre>one\r\ntwo <b>x</b>\r\n</pre>\r\n"
                            "<img src=\"a.png\"/>\r\n</body>\r\n";

// The geometry of every named control, each tab shown once so that its
// page is laid out.
QMap<QString, QRect> geometriesOnEveryTab(TStructedHtmlForm& form)
{
    auto* tabs = control<QTabWidget>(form, "PageControl1");
    QMap<QString, QRect> geometries;
    for (int index = 0; index < tabs->count(); ++index) {
        tabs->setCurrentIndex(index);
        QApplication::processEvents();
        for (QWidget* widget : tabs->widget(index)->findChildren<QWidget*>())
            geometries.insert(widget->objectName(), widget->geometry());
    }
    return geometries;
}

// The listing as the work file holds it: every line followed by CR LF.
QByteArray workFileBytes(const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines)
        content += bytes(fromDisplayText(line)) + "\r\n";
    return content;
}

// The three texts of the About dialog as it was shown.
QStringList shownAboutTexts(TStructedHtmlForm& form)
{
    QStringList texts;
    ModalSeam::setNextDialogAction([&](QDialog& dialog) {
        const auto& about = static_cast<TAboutBox&>(dialog);
        texts << about.Version->text() << about.Comments->text() << about.Copyright->text();
        if (&dialog != &form.aboutBox() || !dialog.isVisible())
            texts << QStringLiteral("(another dialog, or not shown)");
    });
    control<QAction>(form, "about1")->trigger();
    return texts;
}

// The states and actions that a row tells assistive tools of its branch.
QString branchTold(QAccessibleInterface& row)
{
    const QAccessible::State state = row.state();
    QStringList told;
    if (state.expandable)
        told << "expandable";
    if (state.expanded)
        told << "expanded";
    if (state.collapsed)
        told << "collapsed";
    if (row.actionInterface()
        && row.actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()))
        told << "toggle";
    return told.join(' ');
}

} // namespace

Q_DECLARE_METATYPE(CommandLine::Action)

class TestHtmlAdj : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void toolkitNeverSeesTheCommandLine_data();
    void toolkitNeverSeesTheCommandLine();
    void missingFolderLeavesTheLists();
    void firstStart();
    void captionWithoutVersionRecord();
    void settingsAndListSurviveTheExit_data();
    void settingsAndListSurviveTheExit();
    void exitDeletesTheWorkFilesBesideTheExecutable();
    void storedFolderGoneSkipsTheRestOfStartUp();
    void unreadableListFileIsNeverReplaced();
    void doubleClickBuildsListingAndTree();
    void conversionFollowsTheOption_data();
    void conversionFollowsTheOption();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void exportThroughTheSaveDialog();
    void exportCancelledOrRefused();
    void treeDoubleClickShowsFileSelection();
    void fileListFollowsTheDisk();
    void otherButtonsDoubleClickNothing_data();
    void otherButtonsDoubleClickNothing();
    void browserOpensTheSelectedFile_data();
    void browserOpensTheSelectedFile();
    void lineAnalysisGetsTheListing_data();
    void lineAnalysisGetsTheListing();
    void secondLineAnalysisIsRefusedWhileOneWaits();
    void unwritableWorkFileStartsNoTool();
    void helpFileOpensOrIsReportedMissing_data();
    void helpFileOpensOrIsReportedMissing();
    void aboutShowsTheExecutablesRecord_data();
    void aboutShowsTheExecutablesRecord();
    void windowsCarryTheProgramIcon();
    void aboutLinkIsDrawnUnderlined();
    void statusTextShowsPositionDateAndTime();
    void contextMenusPopUp_data();
    void contextMenusPopUp();
    void errorBoxText_data();
    void errorBoxText();
    void layoutFollowsTheWindowSize();
    void longTitleKeepsEveryTabInSight();
    void cutCaptionKeepsTheNamesApart_data();
    void cutCaptionKeepsTheNamesApart();
    void designedFontsAreInstalled_data();
    void designedFontsAreInstalled();
    void moveCommands_data();
    void moveCommands();
    void marksFollowThePagesRules_data();
    void marksFollowThePagesRules();
    void folderCheckListsWorstFirstAndOpensTheFirstFinding();
    void faultColumnCountsCharacters_data();
    void faultColumnCountsCharacters();
    void treeRowsTellAssistiveTools_data();
    void treeRowsTellAssistiveTools();
    void listingTellsAssistiveTools();
    void listingNumbersLinesBySource();
    void jumpThatCannotActSaysWhy_data();
    void jumpThatCannotActSaysWhy();
};

void TestHtmlAdj::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

void TestHtmlAdj::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("file");

    const auto open = CommandLine::Action::Open;
    const auto usageError = CommandLine::Action::UsageError;
    QTest::newRow("one file") << QStringList{"page.html"} << open << "page.html";
    QTest::newRow("a toolkit option is no option of ours")
        << QStringList{"-platform", "offscreen"} << usageError << QString();
    QTest::newRow("after --, a file named like a toolkit option")
        << QStringList{"--", "-platformpluginpath"} << open << "-platformpluginpath";
    QTest::newRow("after --, a file named --help") << QStringList{"--", "--help"} << open << "--help";
    QTest::newRow("--help") << QStringList{"--help", "page.html"} << CommandLine::Action::Help << QString();
    QTest::newRow("a second file, as from a folder's *") << QStringList{"a.html", "b.html"} << usageError << QString();
}

void TestHtmlAdj::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    const CommandLine line = readCommandLine(words);
    QCOMPARE(line.action, action);
    QCOMPARE(QString::fromStdString(line.file.string()), file);
    QCOMPARE(line.error.empty(), action != CommandLine::Action::UsageError);
}

void TestHtmlAdj::toolkitNeverSeesTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errorOutput");

    // Taken by the toolkit, -platform would open a window that never closes.
    QTest::newRow("a toolkit option is a usage error")
        << QStringList{"-platform", "offscreen"} << 2 << QString()
        << QString("vorelind: unknown option -platform\nTry 'vorelind --help' for more information.\n");
    QTest::newRow("--help prints and ends without a window")
        << QStringList{"--help"} << 0 << QString::fromLatin1(commandLineUsage()) << QString();
}

void TestHtmlAdj::toolkitNeverSeesTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errorOutput);
    const WindowTestFolders folders;
    QProcess program;
    program.start(qEnvironmentVariable("VORELIND_BIN_DIR") + QStringLiteral("/vorelind"), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), output);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errorOutput);
}

void TestHtmlAdj::missingFolderLeavesTheLists()
{
    WindowUnderTest window;
    writeFile(window.folders.document(QStringLiteral("a.htm")), "<p>");
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    auto* folders = control<DirectoryListBox>(window.form, "DirectoryListBox1");
    files->refresh();
    const QStringList listedFolders = displayedRows(*folders->model());
    const QString missing = window.folders.document(QStringLiteral("gone"));

    runHandler([&] { window.form.openFile(fileSystemPath(missing + QStringLiteral("/x.html"))); });

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
    QCOMPARE(messages.at(0).text, QStringLiteral("フォルダ %1 がありません.").arg(missing));
    QCOMPARE(folders->directory(), window.folders.documents());
    QCOMPARE(displayedRows(*folders->model()), listedFolders);
    QCOMPARE(displayedRows(*files->model()), QStringList{"a.htm"});
    QCOMPARE(window.currentTab(), QStringLiteral("TabSelect"));
}

void TestHtmlAdj::firstStart()
{
    WindowTestFolders folders;
    QVERIFY(QFile::copy(qEnvironmentVariable("VORELIND_BIN_DIR") + QStringLiteral("/vorelind"),
                        folders.executablePath()));
    {
        TStructedHtmlForm form(folders.executablePath());
        QCOMPARE(form.windowTitle(), QStringLiteral("Vorelind Ver.1.2.0.49"));
        QCOMPARE(control<QTabWidget>(form, "PageControl1")->currentWidget()->objectName(),
                 QStringLiteral("TabSelect"));
        QCOMPARE(control<DirectoryListBox>(form, "DirectoryListBox1")->directory(), QStringLiteral("/"));
        QCOMPARE(bytes(control<FileListBox>(form, "FileListBox1")->mask()), bytes("*.htm*"));
        QVERIFY(control<QCheckBox>(form, "isShiftJis")->isChecked());
        QCOMPARE(form.executableFolder(), folders.programFile(QString()) + QLatin1Char('/'));
        QCOMPARE(displayedRows(*control<LineListView>(form, "IgnoreTags")->model()), QStringList());
        const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
        QCOMPARE(messages.at(0).text,
                 QStringLiteral("ファイル %1 は開けません.").arg(folders.programFile(QStringLiteral("ignore.trm"))));
    }
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QVERIFY(QFile::exists(folders.programFile(QStringLiteral("ignore.trm"))));
    QCOMPARE(bytes(readFile(folders.programFile(QStringLiteral("ignore.trm")))), QByteArray());
}

void TestHtmlAdj::captionWithoutVersionRecord()
{
    WindowTestFolders folders;
    writeFile(folders.executablePath(), "#!/bin/sh\n");
    TStructedHtmlForm form(folders.executablePath());
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorelind Ver."));
    ModalSeam::takeAnsweredMessages();
}

void TestHtmlAdj::settingsAndListSurviveTheExit_data()
{
    QTest::addColumn<QString>("closedBy");
    QTest::newRow("menu command") << QString("Exit1");
    QTest::newRow("close box") << QString();
}

void TestHtmlAdj::settingsAndListSurviveTheExit()
{
    QFETCH(QString, closedBy);
    WindowTestFolders folders;
    writeFile(folders.programFile(QStringLiteral("ignore.trm")), "td\nBR\n");
    // A folder name that Shift-JIS cannot spell comes back all the same.
    const QString folder = folders.document(QStringLiteral("文書 ✓"));
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + QStringLiteral("/notes.txt"), "x");
    {
        TStructedHtmlForm form(folders.executablePath());
        form.show();
        QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
        control<DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(folder);
        control<FileListBox>(form, "FileListBox1")->setMask("*.txt");
        control<QCheckBox>(form, "isShiftJis")->setChecked(false);
        if (closedBy.isEmpty())
            form.close();
        else
            control<QAction>(form, qPrintable(closedBy))->trigger();
        QVERIFY(!form.isVisible());
    }
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    // Written back in list order, with CR LF.
    QCOMPARE(bytes(readFile(folders.programFile(QStringLiteral("ignore.trm")))), QByteArray("BR\r\ntd\r\n"));

    QDir::setCurrent(QDir::rootPath());
    TStructedHtmlForm again(folders.executablePath());
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(control<DirectoryListBox>(again, "DirectoryListBox1")->directory(), folder);
    QCOMPARE(bytes(control<FileListBox>(again, "FileListBox1")->mask()), bytes("*.txt"));
    QCOMPARE(control<FileListBox>(again, "FileListBox1")->item(0)->text(), QStringLiteral("notes.txt"));
    QVERIFY(!control<QCheckBox>(again, "isShiftJis")->isChecked());
    QCOMPARE(displayedRows(*control<LineListView>(again, "IgnoreTags")->model()), (QStringList{"BR", "td"}));
}

void TestHtmlAdj::exitDeletesTheWorkFilesBesideTheExecutable()
{
    WindowTestFolders folders;
    const QStringList workFiles{"wbat.bat", "wsrc.txt"};
    {
        TStructedHtmlForm form(folders.executablePath());
        control<DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(folders.documents());
        for (const QString& name : workFiles) {
            writeFile(folders.programFile(name), "x");
            writeFile(folders.document(name), "x");
        }
        ModalSeam::takeAnsweredMessages();
    }
    for (const QString& name : workFiles) {
        QVERIFY(!QFile::exists(folders.programFile(name)));
        QVERIFY(QFile::exists(folders.document(name)));
    }
}

void TestHtmlAdj::storedFolderGoneSkipsTheRestOfStartUp()
{
    WindowTestFolders folders;
    const QString gone = folders.document(QStringLiteral("gone"));
    QVERIFY(QDir().mkpath(gone));
    writeFile(folders.programFile(QStringLiteral("ignore.trm")), "BR\r\n");
    {
        TStructedHtmlForm form(folders.executablePath());
        control<DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(gone);
        control<QCheckBox>(form, "isShiftJis")->setChecked(false);
    }
    QVERIFY(QDir(gone).removeRecursively());
    QVERIFY(QDir::setCurrent(folders.documents()));
    writeFile(folders.programFile(QStringLiteral("wbat.bat")), "x");
    {
        TStructedHtmlForm form(folders.executablePath());
        const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text, toDisplayText(vorelind::errorBoxText(strerror(ENOENT))));
        // The option keeps its design state, and the list was never loaded.
        QVERIFY(control<QCheckBox>(form, "isShiftJis")->isChecked());
        QCOMPARE(form.executableFolder(), QString());
        QCOMPARE(displayedRows(*control<LineListView>(form, "IgnoreTags")->model()), QStringList());
    }
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(bytes(readFile(folders.programFile(QStringLiteral("ignore.trm")))), QByteArray("BR\r\n"));
    QVERIFY(QFile::exists(folders.programFile(QStringLiteral("wbat.bat"))));
}

void TestHtmlAdj::unreadableListFileIsNeverReplaced()
{
    WindowTestFolders folders;
    // A folder in the list file's place can be neither read nor replaced.
    QVERIFY(QDir().mkpath(folders.programFile(QStringLiteral("ignore.trm"))));
    {
        TStructedHtmlForm form(folders.executablePath());
        QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 1);
    }
    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text,
             QStringLiteral("ファイル %1 を作成できません.").arg(folders.programFile(QStringLiteral("ignore.trm"))));
    QVERIFY(QFileInfo(folders.programFile(QStringLiteral("ignore.trm"))).isDir());
}

void TestHtmlAdj::doubleClickBuildsListingAndTree()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);

    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(bytes(window.form.documentTitle()), bytes("\x81\x75page.htm\x81\x76"));
    QCOMPARE(window.tabCaptions(), (QStringList{"ファイル選択", "動作環境", "「page.htm」　オリジナル",
                                                "「page.htm」　インデント", "「page.htm」　構造化"}));
    QCOMPARE(window.currentTab(), QStringLiteral("TabStructure"));
    QCOMPARE(window.source(), WindowUnderTest::pageRows(kPage));
    QCOMPARE(window.listing(), kPageListing);
    QCOMPARE(window.tree(), kPageTree);

    const auto* progress = control<QProgressBar>(window.form, "ProgressBar1");
    QCOMPARE(progress->maximum(), kPage.size());
    QCOMPARE(progress->value(), kPage.size());
    const QString status = control<QLabel>(window.form, "StatusBar1")->text();
    const QString positions = QStringLiteral("%1/%1     ").arg(kPage.size());
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    QVERIFY2(status.startsWith(positions + date + QLatin1Char(' ')), qPrintable(status));
    QVERIFY2(status.size() > positions.size() + date.size() + 1, qPrintable(status));
    // The whole path tells the loaded file after the run, where a caption may cut its name.
    const QString path = QDir::toNativeSeparators(window.folders.document(QStringLiteral("page.htm")));
    QVERIFY2(status.endsWith(QStringLiteral("     ") + path), qPrintable(status));
    QCOMPARE(control<QTabWidget>(window.form, "PageControl1")->tabToolTip(2), path);

    // The run log grows in the browsed folder, one line per position.
    const QList<QByteArray> log = bytes(readFile(window.folders.document(QStringLiteral("runlog.log")))).split('\n');
    QCOMPARE(log.size(), kPage.size() + 1);
    QVERIFY(log.at(kPage.size() - 1).endsWith(" i=" + QByteArray::number(kPage.size()) + "\r"));

    // The save dialog is preset to the browsed folder and the loaded file.
    auto* dialog = control<QFileDialog>(window.form, "SaveDialog1");
    QCOMPARE(dialog->directory().absolutePath(), window.folders.documents());
    QCOMPARE(dialog->selectedFiles().value(0), window.folders.document(QStringLiteral("page.htm")));

    // A second run appends to the log, in the browsed folder whatever the
    // process's current folder is.
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    window.form.FileListBox1DblClick();
    QCOMPARE(bytes(readFile(window.folders.document(QStringLiteral("runlog.log")))).count('\n'), 2 * kPage.size());
    QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("runlog.log"))));
}

void TestHtmlAdj::conversionFollowsTheOption_data()
{
    QTest::addColumn<bool>("converts");
    QTest::addColumn<QString>("firstLine");

    const QByteArray utf8 = QStringLiteral("<p>表示").toUtf8();
    QTest::newRow("on: the walk sees Shift-JIS") << true << QString("<p>表示");
    QTest::newRow("off: the walk sees the file's bytes")
        << false << toDisplayText(std::string_view(utf8.constData(), utf8.size()));
}

void TestHtmlAdj::conversionFollowsTheOption()
{
    QFETCH(bool, converts);
    QFETCH(QString, firstLine);
    WindowUnderTest window;
    control<QCheckBox>(window.form, "isShiftJis")->setChecked(converts);
    window.openDocument(QStringLiteral("utf8.htm"), QStringLiteral("<p>表示</p>\n").toUtf8());
    QCOMPARE(window.listing().value(0), firstLine);
    QCOMPARE(window.listing().value(1), QStringLiteral("</p>"));
}

void TestHtmlAdj::refusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("grownTo"); // 0: as written
    QTest::addColumn<bool>("removedBeforeClick");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const qint64 asWritten = 0;
    QTest::newRow("file gone") << QByteArray("<p>") << asWritten << true << QString("I/Oエラー")
                               << QString("誰かがそのファイルbad.htmを握っていませんか");
    QTest::newRow("binary bytes") << QByteArray("ab\x01<p>", 6) << asWritten << false << QString("読めません")
                                  << QString("bad.htmはテキストファイルではないのでは？");
    QTest::newRow("129 bytes without a marker") << QByteArray(129, 'x') << asWritten << false
                                                << QString("読めません")
                                                << QString("bad.htmはテキストファイルではないのでは？");
    QTest::newRow("short file without a marker")
        << QByteArray("abc") << asWritten << false << QString("Vorelind") << QString("Read beyond end of file.");
    QTest::newRow("empty file") << QByteArray() << asWritten << false << QString("Vorelind")
                                << QString("Read beyond end of file.");
    QTest::newRow("text, but larger than the window takes")
        << QByteArray("<p>") << static_cast<qint64>(kMaxSourceSize + 1) << false << QString("Vorelind")
        << QString("ファイル bad.htm は大きすぎるため処理できません.");
    QTest::newRow("text, larger than the machine's memory")
        << QByteArray("<p>") << (static_cast<qint64>(1) << 40) << false << QString("Vorelind")
        << QString("ファイル bad.htm は大きすぎるため処理できません.");
}

void TestHtmlAdj::refusedFileChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, grownTo);
    QFETCH(bool, removedBeforeClick);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    const QStringList captionsBefore = window.tabCaptions();

    const QString bad = window.folders.document(QStringLiteral("bad.htm"));
    writeFile(bad, content.toStdString());
    if (grownTo > 0)
        growFile(bad, grownTo);
    control<FileListBox>(window.form, "FileListBox1")->setDirectory(window.folders.documents());
    if (removedBeforeClick)
        QVERIFY(QFile::remove(bad));
    QListWidgetItem* item = itemNamed(*control<FileListBox>(window.form, "FileListBox1"), QStringLiteral("bad.htm"));
    QVERIFY(item);
    doubleClickItem(*control<FileListBox>(window.form, "FileListBox1"), *item);

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).icon, MessageIcon::Error);
    QCOMPARE(messages.at(0).caption, caption);
    QCOMPARE(messages.at(0).text, message);
    QCOMPARE(window.tabCaptions(), captionsBefore);
    QCOMPARE(window.listing(), kPageListing);
    QCOMPARE(window.tree(), kPageTree);
    QCOMPARE(bytes(window.form.documentTitle()), bytes("\x81\x75page.htm\x81\x76"));
    QCOMPARE(control<QFileDialog>(window.form, "SaveDialog1")->selectedFiles().value(0),
             window.folders.document(QStringLiteral("page.htm")));
}

void TestHtmlAdj::exportThroughTheSaveDialog()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("pre.htm"), kPrePage);
    const QString target = window.folders.document(QStringLiteral("out.htm"));

    ModalSeam::setNextSaveFileName(target);
    control<QAction>(window.form, "Save1")->trigger();

    const QStringList tidied{"<body>", "  <!-- note -->", "  <pre>one", "two   <b>x  </b>", "  </pre>",
                             "  <img src=\"a.png\">", "</body>"};
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
    QCOMPARE(QString::fromStdString(readFile(target)), tidied.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    // The tidied lines replace the listing.
    QCOMPARE(window.listing(), tidied);
    // The marks were placed first: the placing reads the listing that the tidying changes.
    QCOMPARE(control<QLabel>(window.form, "MarkStatus")->text(), QStringLiteral("不一致タグ 0 個"));
}

void TestHtmlAdj::exportCancelledOrRefused()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("pre.htm"), kPrePage);
    const QStringList untouched = window.listing();

    ModalSeam::setNextSaveFileName(QString());
    control<QAction>(window.form, "Save1")->trigger();
    QCOMPARE(window.listing(), untouched);
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);

    const QString unwritable = window.folders.document(QStringLiteral("missing/out.htm"));
    ModalSeam::setNextSaveFileName(unwritable);
    control<QAction>(window.form, "Save1")->trigger();
    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
    QCOMPARE(messages.at(0).text, QStringLiteral("ファイル %1 を作成できません.").arg(unwritable));
    // The listing was tidied before the file failed, and stays so.
    QCOMPARE(window.listing().at(3), QStringLiteral("two   <b>x  </b>"));
}

void TestHtmlAdj::treeDoubleClickShowsFileSelection()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    auto* tree = control<TTreeIndent>(window.form, "TreeIndent1");
    control<QPushButton>(window.form, "ExpandBtn")->click();
    QCOMPARE(tree->model()->rowCount(), kPageTree.size());

    // On a node, and on the empty space below the nodes.
    const QPoint points[] = {tree->visualRect(tree->model()->index(0, 0)).center(),
                             QPoint(5, tree->viewport()->height() - 5)};
    for (const QPoint& point : points) {
        control<QTabWidget>(window.form, "PageControl1")->setCurrentIndex(4);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(window.currentTab(), QStringLiteral("TabSelect"));
    }
    QCOMPARE(window.tree(), kPageTree);
    QCOMPARE(tree->model()->rowCount(), kPageTree.size());

    control<QPushButton>(window.form, "CollapseBtn")->click();
    QCOMPARE(tree->model()->rowCount(), 1);
}

void TestHtmlAdj::fileListFollowsTheDisk()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    auto* folders = control<DirectoryListBox>(window.form, "DirectoryListBox1");

    writeFile(window.folders.document(QStringLiteral("new.htm")), "<p>");
    QVERIFY(QDir(window.folders.documents()).mkdir(QStringLiteral("sub")));

    QTRY_VERIFY(itemNamed(*files, QStringLiteral("new.htm")));
    QTRY_VERIFY(!folders->findItems(QStringLiteral("sub"), Qt::MatchEndsWith).isEmpty());
    QCOMPARE(files->selectedPath(), window.folders.document(QStringLiteral("page.htm")));
}

void TestHtmlAdj::otherButtonsDoubleClickNothing_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("view");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("file list, right button: no load") << QString("TabSelect") << QString("FileListBox1")
                                                      << Qt::RightButton;
    QTest::newRow("file list, middle button: no load") << QString("TabSelect") << QString("FileListBox1")
                                                       << Qt::MiddleButton;
    QTest::newRow("tree, right button: the tree stays") << QString("TabStructure") << QString("TreeIndent1")
                                                        << Qt::RightButton;
}

void TestHtmlAdj::otherButtonsDoubleClickNothing()
{
    QFETCH(QString, tab);
    QFETCH(QString, view);
    QFETCH(Qt::MouseButton, button);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    writeFile(window.folders.document(QStringLiteral("other.htm")), "<p>other");
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    files->setDirectory(window.folders.documents());
    QListWidgetItem* other = itemNamed(*files, QStringLiteral("other.htm"));
    control<QTabWidget>(window.form, "PageControl1")->setCurrentWidget(control<QWidget>(window.form, qPrintable(tab)));
    QCoreApplication::processEvents();
    const QStringList captions = window.tabCaptions();
    auto* viewport = control<QAbstractItemView>(window.form, qPrintable(view))->viewport();
    const QPoint point = view == "FileListBox1" ? files->visualItemRect(other).center() : QPoint(10, 10);

    // The item picked with the left button, then the other button's two clicks.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
    QTest::mouseClick(viewport, button, {}, point);
    QTest::mouseDClick(viewport, button, {}, point);

    QCOMPARE(window.currentTab(), tab);
    QCOMPARE(window.tabCaptions(), captions);
}

void TestHtmlAdj::browserOpensTheSelectedFile_data()
{
    QTest::addColumn<QString>("selected");
    QTest::newRow("the loaded file") << QString("page.htm");
    QTest::newRow("another file than the loaded one") << QString("other.htm");
    QTest::newRow("nothing selected: an empty path") << QString();
}

void TestHtmlAdj::browserOpensTheSelectedFile()
{
    QFETCH(QString, selected);
    WindowUnderTest window;
    writeFile(window.folders.document(QStringLiteral("other.htm")), "<p>");
    window.openDocument(QStringLiteral("page.htm"), kPage);
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    files->clearSelection();
    if (!selected.isEmpty())
        itemNamed(*files, selected)->setSelected(true);
    const ShellRecorder shell;

    control<QPushButton>(window.form, "BrowserBtn")->click();

    const QString expected = selected.isEmpty() ? QString() : window.folders.document(selected);
    QCOMPARE(shell.opened, QStringList{expected});
    QCOMPARE(control<QLabel>(window.form, "StatusBar1")->text(), QStringLiteral("ブラウザを起動します"));
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestHtmlAdj::lineAnalysisGetsTheListing_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("titleWords");
    QTest::addColumn<QStringList>("listing");

    QTest::newRow("loaded page") << QString("page.htm") << QStringList{"「page.htm」"} << kPageListing;
    QTest::newRow("blank in the name: the title arrives whole")
        << QString("my -platform evil page.htm") << QStringList{"「my -platform evil page.htm」"} << kPageListing;
    QTest::newRow("nothing loaded: empty work file, no title") << QString() << QStringList() << QStringList();
}

void TestHtmlAdj::lineAnalysisGetsTheListing()
{
    QFETCH(QString, document);
    QFETCH(QStringList, titleWords);
    QFETCH(QStringList, listing);
    WindowUnderTest window;
    if (!document.isEmpty())
        window.openDocument(document, kPage);
    const FakeToolRun tool;

    control<QAction>(window.form, "TagCheck")->trigger();

    const QString workFile = window.folders.programFile(QStringLiteral("w.htm"));
    QCOMPARE(tool.arguments(), QStringList{workFile} + titleWords);
    QCOMPARE(tool.workFileSeen(), workFileBytes(listing));
    QVERIFY(!QFile::exists(workFile));
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestHtmlAdj::secondLineAnalysisIsRefusedWhileOneWaits()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    const FakeToolRun tool(500);
    const QString workFile = window.folders.programFile(QStringLiteral("w.htm"));
    QStringList seenInsideTheWait;
    // Stands in for the open tool, which listens for the request to come to the front.
    QLocalServer toolLink;
    QVERIFY(toolLink.listen(toolLinkName(workFile)));
    QTimer::singleShot(50, &window.form, [&] {
        control<QAction>(window.form, "TagCheck")->trigger();
        // An accepted second run would have waited for its own tool's end.
        seenInsideTheWait << (tool.recorded() ? "tool ended" : "tool running")
                          << (QFile::exists(workFile) ? "work file kept" : "work file gone");
    });

    control<QAction>(window.form, "TagCheck")->trigger();

    QCOMPARE(seenInsideTheWait, (QStringList{"tool running", "work file kept"}));
    QCOMPARE(control<QLabel>(window.form, "StatusBar1")->text(),
             QStringLiteral("行分析表示は開いています。kivalter を閉じてから選んでください"));
    QTRY_VERIFY(toolLink.hasPendingConnections());
    QLocalSocket* request = toolLink.nextPendingConnection();
    QTRY_VERIFY(request->canReadLine());
    QCOMPARE(request->readLine(), QByteArray(kRaiseRequest));
    QCOMPARE(tool.workFileSeen(), workFileBytes(kPageListing));
    QVERIFY(!QFile::exists(workFile));
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestHtmlAdj::unwritableWorkFileStartsNoTool()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), kPage);
    // A folder in the work file's place can't be created as a file.
    const QString workFile = window.folders.programFile(QStringLiteral("w.htm"));
    QVERIFY(QDir().mkpath(workFile));
    const FakeToolRun tool;

    control<QAction>(window.form, "TagCheck")->trigger();

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
    QCOMPARE(messages.at(0).text, QStringLiteral("ファイル %1 を作成できません.").arg(workFile));
    QVERIFY(!tool.recorded());
    QVERIFY(QFileInfo(workFile).isDir());
}

void TestHtmlAdj::helpFileOpensOrIsReportedMissing_data()
{
    QTest::addColumn<bool>("helpFileExists");
    QTest::newRow("help file beside the executable") << true;
    QTest::newRow("no help file") << false;
}

void TestHtmlAdj::helpFileOpensOrIsReportedMissing()
{
    QFETCH(bool, helpFileExists);
    WindowUnderTest window;
    // The executable has no extension here, so ".chm" is appended.
    const QString helpFile = window.folders.programFile(QStringLiteral("vorelind.chm"));
    if (helpFileExists)
        writeFile(helpFile, "help");
    const ShellRecorder shell;

    control<QAction>(window.form, "Contents1")->trigger();

    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    if (helpFileExists) {
        QCOMPARE(shell.opened, QStringList{helpFile});
        QCOMPARE(messages.size(), 0);
        return;
    }
    QCOMPARE(shell.opened, QStringList());
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).icon, MessageIcon::Error);
    QCOMPARE(messages.at(0).caption, QStringLiteral("目次表示不可"));
    QCOMPARE(messages.at(0).text, QStringLiteral("ヘルプファイル%1がありません").arg(helpFile));
}

void TestHtmlAdj::aboutShowsTheExecutablesRecord_data()
{
    QTest::addColumn<bool>("withRecord");
    QTest::addColumn<QStringList>("texts");

    const QString nkf = toDisplayText(nkfVersionText());
    QTest::newRow("the program's own record")
        << true
        << QStringList{"Ver.1.2.0.49", "Remarks:HTMLファイルをタグで構造化、束ねる\nNkf" + nkf + "を使用",
                       "Copyright:(C) ZEMBRAKO"};
    QTest::newRow("no version record")
        << false << QStringList{"Ver.", "Remarks:\nNkf" + nkf + "を使用", "Copyright:"};
}

void TestHtmlAdj::aboutShowsTheExecutablesRecord()
{
    QFETCH(bool, withRecord);
    QFETCH(QStringList, texts);
    WindowTestFolders folders;
    if (withRecord) {
        QVERIFY(QFile::copy(qEnvironmentVariable("VORELIND_BIN_DIR") + QStringLiteral("/vorelind"),
                            folders.executablePath()));
    } else {
        writeFile(folders.executablePath(), "#!/bin/sh\n");
    }
    TStructedHtmlForm form(folders.executablePath());
    ModalSeam::takeAnsweredMessages();
    // Created at start, hidden until the command shows it.
    QVERIFY(!form.aboutBox().isVisible());

    // Each opening fills the texts afresh; nothing accumulates.
    QCOMPARE(shownAboutTexts(form), texts);
    QCOMPARE(shownAboutTexts(form), texts);
    QVERIFY(!form.aboutBox().isVisible());
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

// The link's label was lower than its font, which cut the underline off.
void TestHtmlAdj::aboutLinkIsDrawnUnderlined()
{
    TAboutBox dialog;
    TInternetLabel& link = *dialog.InternetLabel1;
    const QImage drawn = link.grab().toImage();
    const int textWidth = link.fontMetrics().horizontalAdvance(link.text());
    int longestRun = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        int run = 0;
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            run = pixel.blue() > 200 && pixel.red() < 100 ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    QVERIFY2(longestRun * 10 > textWidth * 9, qPrintable(QStringLiteral("%1 of %2").arg(longestRun).arg(textWidth)));
}

void TestHtmlAdj::windowsCarryTheProgramIcon()
{
    const QImage icon = programIcon().pixmap(32, 32).toImage();
    QVERIFY(!icon.isNull());
    WindowUnderTest window;
    QCOMPARE(window.form.windowIcon().pixmap(32, 32).toImage(), icon);
    QCOMPARE(window.form.aboutBox().windowIcon().pixmap(32, 32).toImage(), icon);
}

void TestHtmlAdj::statusTextShowsPositionDateAndTime()
{
    const QDateTime when(QDate(2024, 1, 2), QTime(13, 4, 5));
    const QString text = WalkProgress::statusText(3, 10, when);
    const QString date = QLocale::system().toString(when.date(), QLocale::ShortFormat);
    QVERIFY2(text.startsWith(QStringLiteral("3/10     ") + date + QLatin1Char(' ')), qPrintable(text));
    // The long time: with seconds, without the time zone.
    QVERIFY2(text.contains(QStringLiteral("04:05")), qPrintable(text));
    QVERIFY2(!text.contains(when.timeZoneAbbreviation()), qPrintable(text));
}

void TestHtmlAdj::contextMenusPopUp_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("menu");
    QTest::newRow("excluded tags") << QString("IgnoreTags") << QString("PopupMenu1");
    QTest::newRow("structure tree") << QString("TreeIndent1") << QString("SaveStructure");
}

void TestHtmlAdj::contextMenusPopUp()
{
    QFETCH(QString, view);
    QFETCH(QString, menu);
    WindowUnderTest window;
    auto* list = control<QAbstractItemView>(window.form, qPrintable(view));
    control<QTabWidget>(window.form, "PageControl1")->setCurrentWidget(list->parentWidget());
    const QPoint at(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    auto* popup = control<QMenu>(window.form, qPrintable(menu));
    QVERIFY(popup->isVisible());
    popup->hide();
}

void TestHtmlAdj::errorBoxText_data()
{
    QTest::addColumn<std::string>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter gets a full stop") << std::string("No such file") << QString("No such file.");
    QTest::newRow("full stop stays single") << std::string("Done.") << QString("Done.");
    QTest::newRow("bytes below the full stop get none") << std::string("Gone!") << QString("Gone!");
    QTest::newRow("shift-jis last byte sorts above") << std::string("\x8a\xae\x97\xb9") << QString("完了.");
    QTest::newRow("empty message") << std::string() << QString();
}

void TestHtmlAdj::errorBoxText()
{
    QFETCH(std::string, message);
    QFETCH(QString, shown);
    runHandler([&] { throw AppError(message); });
    const QList<AnsweredMessage> messages = ModalSeam::takeAnsweredMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).icon, MessageIcon::Error);
    QCOMPARE(messages.at(0).caption, QStringLiteral("Vorelind"));
    QCOMPARE(messages.at(0).text, shown);
}

void TestHtmlAdj::layoutFollowsTheWindowSize()
{
    WindowUnderTest window;
    const char* growsBothWays[] = {"FileListBox1", "Memo1", "ShowResultList", "TreeIndent1"};
    const char* growsInHeight[] = {"DirectoryListBox1", "IgnoreTags"};
    const char* staysBottomLeft[] = {"ExpandBtn", "CollapseBtn", "BrowserBtn", "isShiftJis"};
    const QMap<QString, QRect> before = geometriesOnEveryTab(window.form);
    window.form.resize(window.form.width() + 200, window.form.height() + 150);
    const QMap<QString, QRect> resized = geometriesOnEveryTab(window.form);

    for (const char* name : growsBothWays) {
        const QRect after = resized[name];
        QVERIFY2(after.width() > before[name].width() && after.height() > before[name].height(), name);
    }
    for (const char* name : growsInHeight) {
        const QRect after = resized[name];
        QVERIFY2(after.width() == before[name].width() && after.height() > before[name].height(), name);
    }
    for (const char* name : staysBottomLeft) {
        const QRect after = resized[name];
        QVERIFY2(after.x() == before[name].x() && after.y() > before[name].y(), name);
    }
}

void TestHtmlAdj::longTitleKeepsEveryTabInSight()
{
    WindowUnderTest window;
    window.form.resize(650, 473);
    window.openDocument(QStringLiteral("日本語のページ.html"), kPage);
    QCoreApplication::processEvents();
    const QTabBar* bar = control<QTabWidget>(window.form, "PageControl1")->tabBar();

    for (int index = 0; index < bar->count(); ++index) {
        const QRect tab = bar->tabRect(index);
        QVERIFY2(tab.left() >= 0 && tab.right() < bar->width(), qPrintable(bar->tabText(index)));
    }
    QCOMPARE(window.tabCaptions().at(2), QStringLiteral("「日本語のページ.html」　オリジナル"));
}

void TestHtmlAdj::cutCaptionKeepsTheNamesApart_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("a caption that fits stays whole")
        << QString("「broken_sjis.html」　オリジナル") << QString("「broken_sjis.html」　オリジナル");
    QTest::newRow("the extension goes before the name is cut")
        << QString("「broken_sjis.html」　オリジナル") << QString("「broken_sjis」　オリジナル");
    QTest::newRow("the cut keeps the name's start and end")
        << QString("「broken_sjis.html」　オリジナル") << QString("「bro…jis」　オリジナル");
    QTest::newRow("a cut never parts the marks of one &")
        << QString("「a&&b_cdefgh.html」　構造化") << QString("「a&&…h」　構造化");
}

// Tabs of pages named alike showed the same cut caption.
void TestHtmlAdj::cutCaptionKeepsTheNamesApart()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.size(Qt::TextShowMnemonic, shown).width();
    QCOMPARE(PageTabBar::fittedCaption(caption, metrics, width), shown);
}

void TestHtmlAdj::designedFontsAreInstalled_data()
{
    QTest::addColumn<QString>("designed");
    QTest::addColumn<QString>("installed");

    QTest::newRow("proportional gothic") << QString("ＭＳ Ｐゴシック") << QString("IPAPGothic");
    QTest::newRow("gothic") << QString("ＭＳ ゴシック") << QString("IPAGothic");
    QTest::newRow("mincho") << QString("ＭＳ 明朝") << QString("IPAMincho");
}

void TestHtmlAdj::designedFontsAreInstalled()
{
    QFETCH(QString, designed);
    QFETCH(QString, installed);
    QCOMPARE(QFontInfo(QFont(designed)).family(), installed);
}

void TestHtmlAdj::moveCommands_data()
{
    QTest::addColumn<QString>("tab");         // shown before the commands
    QTest::addColumn<int>("row");             // made current in its view (the tree all expanded); -1: none
    QTest::addColumn<int>("answer");          // the line number asked for; 0: cancelled
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("shownTab");
    QTest::addColumn<QString>("current");     // its view's current row, or the source's selected bytes
    QTest::addColumn<QString>("status");

    const QString tree = "TabStructure";
    const QString listing = "TabIndented";
    const QString source = "TabOriginal";
    QTest::newRow("marks counted after the run") << tree << -1 << 0 << QStringList() << tree << QString()
                                                 << QString("不一致タグ 3 個");
    QTest::newRow("F8 opens the collapsed tree to the first mark")
        << tree << -1 << 0 << QStringList{"NextMark"} << tree << QString("<div>")
        << QString("不一致タグ 1/3  3:1  閉じていない開始タグ div");
    QTest::newRow("F8 goes on from the current node")
        << tree << 3 << 0 << QStringList{"NextMark"} << tree << QString("</span>")
        << QString("不一致タグ 3/3  5:1  対応のない終了タグ span");
    QTest::newRow("F8 after the last mark wraps to the first, and says so")
        << tree << -1 << 0 << QStringList{"NextMark", "NextMark", "NextMark", "NextMark"} << tree << QString("<div>")
        << QString("不一致タグ 1/3  3:1  閉じていない開始タグ div  先頭に戻りました");
    QTest::newRow("Shift+F8 before the first mark wraps to the last, and says so")
        << tree << 0 << 0 << QStringList{"PreviousMark"} << tree << QString("</span>")
        << QString("不一致タグ 3/3  5:1  対応のない終了タグ span  末尾に戻りました");
    QTest::newRow("moving off the mark brings the count back")
        << tree << -1 << 0 << QStringList{"NextMark", "key:Up"} << tree << QString("<body>")
        << QString("不一致タグ 3 個");
    QTest::newRow("F8 on the listing tab stays in the listing")
        << listing << 2 << 0 << QStringList{"NextMark", "NextMark"} << listing << QString("</span>")
        << QString("不一致タグ 3/3  5:1  対応のない終了タグ span");
    QTest::newRow("structure to source selects the tag, quoted '>' and all")
        << tree << 5 << 0 << QStringList{"SourceJump"} << source << QString("<b title=\"a>b\">") << QString("不一致タグ 3 個");
    QTest::newRow("listing line to source") << listing << 2 << 0 << QStringList{"SourceJump"} << source
                                            << QString("<div>") << QString("不一致タグ 3 個");
    QTest::newRow("source line to its node") << source << 3 << 0 << QStringList{"StructureJump"} << tree
                                             << QString("<p>one") << QString("不一致タグ 3 個");
    QTest::newRow("go to a line through the seam") << tree << -1 << 5 << QStringList{"GoToLine"} << source
                                                   << QString("</span>") << QString("不一致タグ 3 個");
    QTest::newRow("go to a line cancelled") << tree << -1 << 0 << QStringList{"GoToLine"} << tree << QString()
                                            << QString("不一致タグ 3 個");
}

void TestHtmlAdj::moveCommands()
{
    QFETCH(QString, tab);
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QStringList, commands);
    QFETCH(QString, shownTab);
    QFETCH(QString, current);
    QFETCH(QString, status);
    WindowUnderTest window;
    // The page's marks are those of the strict pairing.
    control<QComboBox>(window.form, "TagRulesBox")->setCurrentIndex(static_cast<int>(RulesChoice::Xml));
    window.openDocument(QStringLiteral("unbalanced.htm"), kUnbalancedPage);
    auto* tabs = control<QTabWidget>(window.form, "PageControl1");
    auto* treeView = control<TTreeIndent>(window.form, "TreeIndent1");
    auto* listingView = control<LineListView>(window.form, "ShowResultList");
    auto* sourceView = control<SourceView>(window.form, "Memo1");
    const QStringList marked{"<div>", "<p>one", "</span>"};
    // The marks come from the background thread once the tree stands.
    QTRY_COMPARE(rowsWith(*listingView->model(), Qt::BackgroundRole, unmatchedTint()), marked);
    treeView->expandAll();
    QCOMPARE(rowsWith(*treeView->model(), IndentTreeModel::MarkedRole, true), marked);
    treeView->collapseAll();

    tabs->setCurrentWidget(tabs->findChild<QWidget*>(tab));
    QAbstractItemView* view = tab == "TabStructure" ? static_cast<QAbstractItemView*>(treeView) : listingView;
    if (row >= 0 && tab == "TabOriginal") {
        // The page is shown as text; the row is a line of it.
        QTextCursor cursor(sourceView->textView().document()->findBlockByNumber(row));
        sourceView->textView().setTextCursor(cursor);
    } else if (row >= 0) {
        if (view == treeView)
            treeView->expandAll();
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    if (answer > 0)
        ModalSeam::setNextNumber(answer);
    for (const QString& command : commands) {
        if (command == "key:Up")
            QTest::keyClick(view, Qt::Key_Up);
        else
            control<QAction>(window.form, qPrintable(command))->trigger();
    }

    QCOMPARE(window.currentTab(), shownTab);
    const QString shown = shownTab == "TabOriginal" ? toDisplayText(sourceView->selectedBytes())
        : shownTab == "TabIndented"                 ? listingView->currentIndex().data().toString().trimmed()
                                                    : treeView->currentIndex().data().toString().trimmed();
    QCOMPARE(shown, current);
    if (shownTab == "TabOriginal")
        QCOMPARE(sourceView->textView().textCursor().selectedText(), current);
    QCOMPARE(control<QLabel>(window.form, "MarkStatus")->text(), status);
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestHtmlAdj::marksFollowThePagesRules_data()
{
    QTest::addColumn<RulesChoice>("choice");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("current"); // the tree's current node after F8, which no mark leaves where it was
    QTest::addColumn<QString>("status");

    const QByteArray list = "<html>\r\n<body>\r\n<ul>\r\n<li>one\r\n<li>two\r\n</ul>\r\n<div>\r\n</body>\r\n</html>\r\n";
    const QByteArray xml = "<?xml version=\"1.0\"?>\r\n<ul>\r\n<li>one\r\n</ul>\r\n";
    QTest::newRow("automatic: HTML's rules, F8 passes a correct LI and stops at a real fault")
        << RulesChoice::Automatic << list << "HTML 規則" << "<div>"
        << "不一致タグ 1/1  7:1  閉じていない開始タグ div";
    QTest::newRow("automatic: an XML declaration chooses XML's rules")
        << RulesChoice::Automatic << xml << "XML 規則" << "<li>one" << "不一致タグ 1/1  3:1  閉じていない開始タグ li";
    QTest::newRow("the choice of HTML's rules holds for an XML page")
        << RulesChoice::Html << xml << "HTML 規則" << "<?xml version=\"1.0\"?>" << "不一致タグ 0 個";
}

void TestHtmlAdj::marksFollowThePagesRules()
{
    QFETCH(RulesChoice, choice);
    QFETCH(QByteArray, page);
    QFETCH(QString, rules);
    QFETCH(QString, current);
    QFETCH(QString, status);
    WindowUnderTest window;
    control<QComboBox>(window.form, "TagRulesBox")->setCurrentIndex(static_cast<int>(choice));
    window.openDocument(QStringLiteral("rules.htm"), page);

    control<QAction>(window.form, "NextMark")->trigger();

    QCOMPARE(control<QLabel>(window.form, "RulesStatus")->text(), rules);
    QCOMPARE(control<QLabel>(window.form, "MarkStatus")->text(), status);
    auto* treeView = control<TTreeIndent>(window.form, "TreeIndent1");
    QCOMPARE(treeView->currentIndex().data().toString().trimmed(), current);
}

// The check reads every file the mask picks, in the background, lists them
// worst first, and a double-click opens one at its first finding.
void TestHtmlAdj::folderCheckListsWorstFirstAndOpensTheFirstFinding()
{
    WindowUnderTest window;
    writeFile(window.folders.document("clean.htm"), "<ul><li>one<li>two</ul>\r\n");
    writeFile(window.folders.document("worst.htm"), "<p>\r\n<div>\r\n</span>\r\n");
    writeFile(window.folders.document("one.html"), "<?xml version=\"1.0\"?>\r\n<ul>\r\n<li>x\r\n</ul>\r\n");
    writeFile(window.folders.document("skipped.txt"), "<div>");
    auto* pane = control<SiteCheckPane>(window.form, "SiteCheckPane");

    control<QAction>(window.form, "CheckFolder")->trigger();

    QTRY_VERIFY(!pane->running());
    QVERIFY(control<QDockWidget>(window.form, "SiteCheckDock")->isVisible());
    const SiteCheckModel& results = pane->model();
    QStringList rows;
    for (int row = 0; row < results.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < results.columnCount(); ++column)
            fields << results.index(row, column).data().toString();
        rows << fields.join(' ');
    }
    QCOMPARE(rows, (QStringList{"worst.htm 2 HTML 2:1", "one.html 1 XML 3:1", "clean.htm 0 HTML "}));

    auto* list = control<QTreeView>(window.form, "SiteCheckList");
    emit list->doubleClicked(results.index(0, 0));

    QCOMPARE(bytes(window.form.documentTitle()), bytes("\x81\x75worst.htm\x81\x76"));
    QCOMPARE(control<QLabel>(window.form, "MarkStatus")->text(), "不一致タグ 1/2  2:1  閉じていない開始タグ div");
}

void TestHtmlAdj::faultColumnCountsCharacters_data()
{
    QTest::addColumn<QByteArray>("page");

    // Two kanji and two half-width katakana before the </span>: 6 bytes in
    // Shift-JIS, 8 in EUC-JP, 4 characters. The paragraph lets the EUC-JP be told.
    const std::string text = "<html>\r\n<body>\r\n<p>最初の段落です。日本語の文章を含みます。</p>\r\n"
                             "漢字ｶﾅ</span>\r\n</body>\r\n</html>\r\n";
    QTest::newRow("Shift-JIS") << QByteArray::fromStdString(recoded(text, "SHIFT_JIS"));
    QTest::newRow("EUC-JP, converted") << QByteArray::fromStdString(recoded(text, "EUC-JP"));
}

void TestHtmlAdj::faultColumnCountsCharacters()
{
    QFETCH(QByteArray, page);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("kanji.htm"), page);
    control<QAction>(window.form, "NextMark")->trigger();
    QCOMPARE(control<QLabel>(window.form, "MarkStatus")->text(),
             QStringLiteral("不一致タグ 1/1  4:5  対応のない終了タグ span"));
}

void TestHtmlAdj::treeRowsTellAssistiveTools_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("description");

    QTest::newRow("an open node") << "<body>" << false << "expandable expanded toggle" << 2 << QString();
    QTest::newRow("a closed node, with its fault")
        << "<div>" << true << "expandable collapsed toggle" << 3 << "閉じていない開始タグ div 3:1";
    QTest::newRow("a leaf, with its fault") << "</span>" << false << QString() << 4 << "対応のない終了タグ span 5:1";
}

void TestHtmlAdj::treeRowsTellAssistiveTools()
{
    QFETCH(QString, node);
    QFETCH(bool, closed);
    QFETCH(QString, branch);
    QFETCH(int, level);
    QFETCH(QString, description);
    // Active, so that the views' own events for the tools are sent to the interface too.
    QAccessible::setActive(true);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("unbalanced.htm"), kUnbalancedPage);
    auto* tree = control<TTreeIndent>(window.form, "TreeIndent1");
    // Under HTML's rules the <div> and the </span> are the faults; the <p> may stay open.
    QTRY_COMPARE(rowsWith(*control<LineListView>(window.form, "ShowResultList")->model(), Qt::BackgroundRole,
                          unmatchedTint()).size(),
                 2);
    tree->expandAll();
    const int row = displayedRows(*tree->model()).indexOf(QLatin1Char(' ') + node);
    QVERIFY(row >= 0);
    if (closed)
        tree->toggleRow(row);

    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(tree);
    QCOMPARE(told->role(), QAccessible::Tree);
    QCOMPARE(told->text(QAccessible::Name), QStringLiteral("「unbalanced.htm」　構造化"));
    // Child 0 is the header, as in the view's own focus events.
    QAccessibleInterface* rowTold = told->child(row + 1);
    QCOMPARE(rowTold->role(), QAccessible::TreeItem);
    QCOMPARE(told->indexOfChild(rowTold), row + 1);
    QCOMPARE(rowTold->text(QAccessible::Name).trimmed(), node);
    QCOMPARE(branchTold(*rowTold), branch);
    QCOMPARE(rowTold->text(QAccessible::Value), QString::number(level));
    QCOMPARE(rowTold->text(QAccessible::Description), description);
    // The extents start after the indentation of the row's level and the arrow.
    const QPoint rowStart = tree->viewport()->mapToGlobal(tree->visualRect(tree->model()->index(row, 0)).topLeft());
    QCOMPARE(rowTold->rect().left() - rowStart.x(), level * tree->indentation());
}

// The listing is named by its tab; a row tells its text without the blanks
// that lead it, and a tinted row its fault.
void TestHtmlAdj::listingTellsAssistiveTools()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("unbalanced.htm"), kUnbalancedPage);
    auto* listing = control<LineListView>(window.form, "ShowResultList");
    QTRY_COMPARE(rowsWith(*listing->model(), Qt::BackgroundRole, unmatchedTint()).size(), 2);

    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(listing);
    QCOMPARE(told->text(QAccessible::Name), QStringLiteral("「unbalanced.htm」　インデント"));
    QAccessibleInterface* row = told->tableInterface()->cellAt(2, 0);
    QCOMPARE(row->text(QAccessible::Name), QStringLiteral("<div>"));
    QCOMPARE(row->text(QAccessible::Description), QStringLiteral("閉じていない開始タグ div 3:1"));
}

// Two listing lines come from source line 6, as the status names them.
void TestHtmlAdj::listingNumbersLinesBySource()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("unbalanced.htm"), kUnbalancedPage);
    auto* listing = control<LineListView>(window.form, "ShowResultList");
    QList<std::size_t> numbers;
    for (int row = 0; row < listing->model()->rowCount(); ++row)
        numbers << listing->numberShownAt(row);
    QCOMPARE(numbers, (QList<std::size_t>{1, 2, 3, 4, 5, 6, 6, 7, 8}));
}

void TestHtmlAdj::jumpThatCannotActSaysWhy_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("said");

    QTest::newRow("to the node, from the structure tab")
        << "TabStructure" << "StructureJump" << "ソースタブで選んでください";
    QTest::newRow("to the source, with no node chosen")
        << "TabStructure" << "SourceJump" << "構造のノードかインデントの行を選んでください";
}

void TestHtmlAdj::jumpThatCannotActSaysWhy()
{
    QFETCH(QString, tab);
    QFETCH(QString, command);
    QFETCH(QString, said);
    WindowUnderTest window;
    window.openDocument(QStringLiteral("unbalanced.htm"), kUnbalancedPage);
    auto* tabs = control<QTabWidget>(window.form, "PageControl1");
    tabs->setCurrentWidget(tabs->findChild<QWidget*>(tab));
    control<TTreeIndent>(window.form, "TreeIndent1")->setCurrentIndex({});
    control<QAction>(window.form, qPrintable(command))->trigger();
    QCOMPARE(window.currentTab(), tab);
    QCOMPARE(control<QLabel>(window.form, "StatusBar1")->text(), said);
}

QTEST_MAIN(TestHtmlAdj)
#include "tst_htmladj.moc"
