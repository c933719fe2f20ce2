#include "ui/htmladj.h"

#include "document/documentpipeline.h"
#include "document/exporttidy.h"
#include "document/listing.h"
#include "document/messages.h"
#include "document/runlogfile.h"
#include "document/sourceindex.h"
#include "document/sourceloader.h"
#include "launch/launchcommands.h"
#include "launch/messages.h"
#include "look/glyphs.h"
#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "platform/files/filesfolder.h"
#include "platform/files/nativepath.h"
#include "platform/process/shell.h"
#include "platform/process/toollink.h"
#include "seam/modalseam.h"
#include "tree/listingtreelines.h"
#include "ui/abouttexts.h"
#include "ui/directorylistbox.h"
#include "ui/drivecombobox.h"
#include "ui/errorreport.h"
#include "ui/excludedtagspane.h"
#include "ui/faultmarks.h"
#include "ui/filelistbox.h"
#include "ui/fileselectionpane.h"
#include "ui/findbar.h"
#include "ui/formparts.h"
#include "ui/htmladjabt.h"
#include "ui/htmlmask.h"
#include "ui/linelistview.h"
#include "ui/listingmodel.h"
#include "ui/pagecontrol.h"
#include "ui/rowfindtarget.h"
#include "ui/sitecheckpane.h"
#include "ui/sourcefindtarget.h"
#include "ui/sourceview.h"
#include "ui/treefindtarget.h"
#include "ui/treeindent.h"
#include "ui/walkprogress.h"
#include "util/filemask.h"
#include "util/filename.h"
#include "util/sjisfind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <climits>

namespace vorelind {

namespace {

const QColor kListingBackground(255, 255, 128);
const QColor kTreeBackground(128, 255, 128);
const QColor kTreeText(128, 0, 0);
constexpr int kAddPanelTop = 56;
constexpr int kAddPanelLeft = 5;
// The window's outer frame as designed, at its designed place.
constexpr QSize kDesignedFrameSize(650, 473);
constexpr QPoint kDesignedPosition(192, 114);

// A path as the file functions that take byte strings need it.
std::string nativePath(const QString& path)
{
    return fileSystemPath(path).string();
}

// A path as the program's Shift-JIS texts hold it.
std::string sjisPath(const QString& path)
{
    return fromDisplayText(path);
}

// A name that is no valid text in the system's encoding shows the program's replacement mark.
std::string sjisPath(const std::filesystem::path& path)
{
    return sjisPath(displayedPath(path));
}

// The folder of "ignore.trm" and "w.htm", the user's own when the program's is read-only.
std::filesystem::path filesFolderFor(const QString& programFolder)
{
    return filesFolder(fileSystemPath(programFolder));
}

// A tab caption shows "&" as it stands rather than as a shortcut mark.
QString tabCaption(std::string_view sjis)
{
    return toDisplayText(sjis).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A tab page that one view fills.
QWidget* pageFilledBy(QWidget* view)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(view);
    return page;
}

// Names a view for assistive tools after the caption of its tab.
void nameAfterTab(QWidget& view, const QTabWidget& tabs, QWidget& page)
{
    view.setAccessibleName(tabs.tabText(tabs.indexOf(&page)).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

// The folder of a file, ending in the path separator.
QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath() + QLatin1Char('/');
}

// The About texts from the executable's version record, read afresh, and
// the conversion library's version.
AboutTexts readAboutTexts(TCommonUtil& util, const std::string& executablePath)
{
    std::string OSText, VersionText, FlagsText, TypeText, Comments, CompanyName, FileDescription, FileVersion,
        InternalName, LegalCopyright, LegalTrademarks, OriginalFilename, PrivateBuild, ProductName, ProductVersion,
        SpecialBuild;
    util.GetVersionInfo(executablePath, OSText, VersionText, FlagsText, TypeText, Comments, CompanyName,
                        FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademarks, OriginalFilename,
                        PrivateBuild, ProductName, ProductVersion, SpecialBuild);
    return aboutTexts(VersionText, Comments, LegalCopyright, nkfVersionText());
}

// The window's steps between the document path's.
class WindowSteps : public DocumentSteps {
public:
    using Loaded = std::function<void(const std::shared_ptr<const std::string>&)>;

    WindowSteps(std::function<void()> accepted, Loaded loaded)
        : m_accepted(std::move(accepted))
        , m_loaded(std::move(loaded))
    {
    }

    void accepted() override { m_accepted(); }
    void loaded(const std::shared_ptr<const std::string>& source) override { m_loaded(source); }

private:
    std::function<void()> m_accepted;
    Loaded m_loaded;
};

// The first of the dropped things when it is a file of this machine, as
// the file system spells its path; empty otherwise.
std::filesystem::path droppedFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return {};
    const std::filesystem::path path = localFilePath(urls.constFirst());
    std::error_code error;
    return std::filesystem::is_directory(path, error) ? std::filesystem::path() : path;
}

// Hidden, the save dialog's folder model would read every change of the
// browsed folder, thousands a second while files come and go there, and
// keep what it read; it follows the disk only while the dialog is open.
void setFollowsDisk(QFileDialog& dialog, bool on)
{
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setOption(QFileSystemModel::DontWatchForChanges, !on);
}

} // namespace

TStructedHtmlForm::TStructedHtmlForm(const QString& executablePath, QWidget* parent)
    : QMainWindow(parent)
    , m_executablePath(executablePath)
    , m_lineAnalysis([this](const std::string& commandLine) { CommonUtil1.RunAndWait(commandLine); })
{
    setObjectName(QStringLiteral("StructedHtmlForm"));
    setWindowTitle(QStringLiteral("Vorelind"));
    move(kDesignedPosition);
    resize(kDesignedFrameSize);
    setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    buildMenus();
    buildTabs();
    setAcceptDrops(true);
    buildSaveDialog();
    m_sourceJump = std::make_unique<SourceJump>(*TreeIndent1, *ShowResultList, *Memo1);
    m_faultMarks = std::make_unique<FaultMarks>(*m_sourceJump, *TreeIndent1, *m_listingModel, *Memo1, *MarkStatus);
    runHandler([this] { FormCreate(); });
    m_aboutBox = std::make_unique<TAboutBox>();
    m_maskSetForm = std::make_unique<TMaskSetForm>();
}

TStructedHtmlForm::~TStructedHtmlForm()
{
    runHandler([this] { FormDestroy(); });
}

void TStructedHtmlForm::FormCreate()
{
    std::string OSText;
    std::string VersionText;
    std::string FlagsText;
    std::string TypeText;
    CommonUtil1.GetFixedVersionInfo(nativePath(m_executablePath), OSText, VersionText, FlagsText, TypeText);
    setWindowTitle(windowTitle() + QStringLiteral(" Ver.") + toDisplayText(VersionText));
    PageControl1->setCurrentWidget(TabSelect);
    RegRead();
    m_executableFolder = folderOf(m_executablePath);
    m_firstWorkFile = m_executableFolder + QStringLiteral("wbat.bat");
    m_secondWorkFile = m_executableFolder + QStringLiteral("wsrc.txt");
    m_excludedTags->loadIgnoreList(m_executableFolder);
}

void TStructedHtmlForm::FormDestroy()
{
    RegWrite();
    m_excludedTags->saveIgnoreList();
    // Without a recorded folder the paths would name files in the browsed folder.
    if (!m_executableFolder.isEmpty()) {
        QFile::remove(m_firstWorkFile);
        QFile::remove(m_secondWorkFile);
    }
}

void TStructedHtmlForm::Exit1Click()
{
    close();
}

void TStructedHtmlForm::FileListBox1DblClick()
{
    loadFile(FileListBox1->selectedFile());
}

void TStructedHtmlForm::openFile(const std::filesystem::path& path)
{
    const std::filesystem::path file = std::filesystem::absolute(path);
    TabSelect->showFile(file);
    // A file that the mask does not list is loaded all the same.
    loadFile(file);
}

void TStructedHtmlForm::loadFile(const std::filesystem::path& path)
{
    const std::string name = fileNameOf(sjisPath(path));
    const DocumentRequest request{path.string(), name, isShiftJis->isChecked()};
    const ExcludedTags excluded(m_excludedTags->tags());
    HandedRules listingRules{TagRules::Xml, m_excludedTags->tags()};
    WindowSteps steps(
        [&] {
            SaveDialog1->setDirectory(FileListBox1->directory());
            SaveDialog1->selectFile(displayedPath(path));
            m_listingModel->setListing(nullptr);
            m_sourceJump->setDocument(nullptr, nullptr);
            m_faultMarks->clear();
            RulesStatus->clear();
        },
        [&](const std::shared_ptr<const std::string>& source) {
            m_loadedPath = path;
            listingRules.rules = rulesForSource(*source);
            RulesStatus->setText(rulesStatusText(listingRules.rules));
            // The analysis runs beside the showing of the source and the walk.
            m_faultMarks->analyse(source, excluded, listingRules.rules);
            showLoadedSource(source, name);
        });
    WalkProgress progress(*ProgressBar1, *StatusBar1, QDir::toNativeSeparators(displayedPath(path)));
    // The log grows in the browsed folder, beside the chosen files.
    RunLogFile runLog((FileListBox1->folder() / "runlog.log").string());
    auto listing = std::make_shared<Listing>();
    try {
        runDocument(request, excluded, steps, WalkSinks{&progress, &progress, &runLog}, *listing);
    } catch (const Refusal& refusal) {
        ModalSeam::showMessage(this, MessageIcon::Error, toDisplayText(refusal.caption()),
                               toDisplayText(refusal.what()));
        return;
    }
    progress.finish();
    runLog.close();
    listing->finish();
    m_listing = std::move(listing);
    m_listingRules = std::move(listingRules);
    StructuringDo();
    // The walk takes no input, so what the user gave meanwhile has waited
    // for its end. It is taken now, while the window knows it has just
    // walked, so that the rerun command drops the presses made during the
    // walk instead of walking again once for each; other input is handled
    // as ever.
    const QScopedValueRollback walked(m_justWalked, true);
    QCoreApplication::processEvents();
}

// The source tab shows the loaded text, with the document's title in the
// captions and its path in their tooltips, and is painted before the walk starts. The tab comes up first:
// shown after the text, the view would wait for all its rows.
void TStructedHtmlForm::showLoadedSource(std::shared_ptr<const std::string> source, const std::string& name)
{
    PageControl1->setCurrentWidget(TabOriginal);
    Memo1->setSource(std::move(source));
    m_documentTitle = vorelind::documentTitle(name);
    PageControl1->setTabText(PageControl1->indexOf(TabOriginal),
                             tabCaption(m_documentTitle + messages::kOriginalTabSuffix));
    Memo1->setCaption(toDisplayText(m_documentTitle + messages::kOriginalTabSuffix));
    PageControl1->setTabText(PageControl1->indexOf(TabIndented),
                             tabCaption(m_documentTitle + messages::kIndentedTabSuffix));
    PageControl1->setTabText(PageControl1->indexOf(TabStructure),
                             tabCaption(m_documentTitle + messages::kStructureTabSuffix));
    nameAfterTab(*ShowResultList, *PageControl1, *TabIndented);
    nameAfterTab(*TreeIndent1, *PageControl1, *TabStructure);
    // A caption may show the name cut; the tooltips tell the whole path.
    for (QWidget* tab : {TabOriginal, TabIndented, TabStructure})
        PageControl1->setTabToolTip(PageControl1->indexOf(tab), QDir::toNativeSeparators(displayedPath(m_loadedPath)));
    repaint();
}

// Hands the walked listing to the list and the tree, which both read its
// one buffer; the tree's nodes point into it. A list view lays out all its
// rows when it is shown, so the list gets the listing once its tab is up:
// the structure tab follows before anything is painted, and the list lays
// its rows out when the user turns to it. The whole source is indexed only
// now, after the marks: beside the walk, the index took the second
// processor from the run log's writer, and the walk waited for both.
void TStructedHtmlForm::StructuringDo()
{
    PageControl1->setCurrentWidget(TabIndented);
    m_listingModel->setListing(m_listing);
    TreeIndent1->LoadIndentedLines(treeLinesOf(*m_listing));
    m_treeListing = m_listing;
    m_sourceJump->setDocument(m_listing, Memo1->source());
    m_faultMarks->locate(m_listing);
    Memo1->indexInBackground();
    PageControl1->setCurrentWidget(TabStructure);
}

void TStructedHtmlForm::RegRead()
{
    readSettings(*this, programNameOf(sjisPath(m_executablePath)));
}

void TStructedHtmlForm::RegWrite()
{
    writeSettings(*this, programNameOf(sjisPath(m_executablePath)));
}

void TStructedHtmlForm::Save1Click()
{
    setFollowsDisk(*SaveDialog1, true);
    const QString path = ModalSeam::chooseSaveFile(*SaveDialog1);
    setFollowsDisk(*SaveDialog1, false);
    if (path.isEmpty())
        return;
    if (m_listing) {
        m_faultMarks->mark();
        tidyForExport(*m_listing);
        m_listingModel->setListing(m_listing);
    }
    try {
        writeExportFile(fileSystemPath(path), shownListing());
    } catch (const AppError&) {
        // The message names the file as the program's texts show it.
        throw AppError(formatMessage(messages::kCannotCreateFile, sjisPath(path)));
    }
}

void TStructedHtmlForm::FileListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint&)
{
    if (button != Qt::RightButton)
        return;
    TMaskSetForm& dialog = *m_maskSetForm;
    const std::string& mask = FileListBox1->mask();
    dialog.show();
    const int choice = maskChoiceOf(mask);
    dialog.setItemIndex(choice);
    if (choice == kOneExtension)
        dialog.setExtension(presetExtensionOf(mask));
    dialog.hide();
    ModalSeam::runDialog(dialog);
    FileListBox1->setMask(maskForChoice(dialog.itemIndex(), dialog.extension()));
    clearDocumentViews();
    repaint();
}

void TStructedHtmlForm::TreeIndent1DblClick()
{
    PageControl1->setCurrentWidget(TabSelect);
}

void TStructedHtmlForm::ExpandBtnClick()
{
    TreeIndent1->expandAll();
}

void TStructedHtmlForm::CollapseBtnClick()
{
    TreeIndent1->collapseAll();
}

void TStructedHtmlForm::AddIgnoreTagClick()
{
    m_excludedTags->openAddPanel();
}

void TStructedHtmlForm::DelIgnoreTagClick()
{
    m_excludedTags->deleteSelectedTag();
}

void TStructedHtmlForm::IgnoreTagsKeyDown(int key)
{
    m_excludedTags->tagsKeyDown(key);
}

QChar TStructedHtmlForm::AddTagKeyPress(QChar key)
{
    return ExcludedTagsPane::addTagKeyPress(key);
}

void TStructedHtmlForm::AddTagKeyDown(int key)
{
    m_excludedTags->addTagKeyDown(key);
}

void TStructedHtmlForm::BrowserBtnClick()
{
    StatusBar1->setText(toDisplayText(messages::kStartingBrowser));
    Shell::open(FileListBox1->selectedPath());
}

void TStructedHtmlForm::TagCheckClick()
{
    // The folder is taken from the executable's path, which is always known:
    // without it the work file would replace and then delete a "w.htm" of
    // the browsed folder.
    const std::filesystem::path folder = filesFolderFor(folderOf(m_executablePath));
    if (m_lineAnalysis.run(shownListing(), folder, m_documentTitle, m_listingRules))
        return;
    // The open tool still shows the listing of the first run: the user is
    // sent there rather than left without a word.
    StatusBar1->setText(QStringLiteral("行分析表示は開いています。kivalter を閉じてから選んでください"));
    askToolToRaise(displayedPath(workFilePath(folder)));
}

void TStructedHtmlForm::Contents1Click()
{
    const auto open = [](const std::filesystem::path& helpFile) { Shell::open(displayedPath(helpFile)); };
    openHelp(fileSystemPath(m_executablePath), open, [this](const std::string& text, const std::string& caption) {
        ModalSeam::showMessage(this, MessageIcon::Error, toDisplayText(caption), toDisplayText(text));
    });
}

void TStructedHtmlForm::about1Click()
{
    m_aboutBox->setTexts(readAboutTexts(CommonUtil1, nativePath(m_executablePath)));
    ModalSeam::runDialog(*m_aboutBox);
}

void TStructedHtmlForm::CheckFolderClick()
{
    SiteCheckDock->show();
    m_siteCheck->start({FileListBox1->folder().string(), FileListBox1->mask(), isShiftJis->isChecked(),
                        m_excludedTags->tags(), chosenRules()});
}

void TStructedHtmlForm::openCheckedFile(const std::filesystem::path& file)
{
    openFile(file);
    if (m_loadedPath == std::filesystem::absolute(file))
        m_faultMarks->goToFirst(showMarkedView());
}

void TStructedHtmlForm::Find1Click()
{
    m_findBar->open();
}

void TStructedHtmlForm::FindNext1Click()
{
    m_findBar->findNext();
}

void TStructedHtmlForm::FindPrev1Click()
{
    m_findBar->findPrevious();
}

// The loaded file is run again with the excluded tags and the conversion
// option as they now stand; opening it lists its folder afresh, as the
// lists are refreshed when nothing is loaded. A press made during a walk
// is dropped, with a notice.
void TStructedHtmlForm::Rerun1Click()
{
    if (m_justWalked) {
        StatusBar1->setText(QStringLiteral("実行中に押された再実行は無視しました"));
        return;
    }
    if (!m_loadedPath.empty()) {
        openFile(m_loadedPath);
        return;
    }
    FileListBox1->refresh();
    DirectoryListBox1->refresh();
}

void TStructedHtmlForm::NextMarkClick()
{
    m_faultMarks->goToNext(showMarkedView());
}

void TStructedHtmlForm::PreviousMarkClick()
{
    m_faultMarks->goToPrevious(showMarkedView());
}

// The marks are stepped through in the listing when its tab is shown, else
// in the tree, whose tab is then shown.
StructureView TStructedHtmlForm::showMarkedView()
{
    const StructureView view = shownStructureView();
    if (view == StructureView::Tree)
        PageControl1->setCurrentWidget(TabStructure);
    return view;
}

void TStructedHtmlForm::SourceJumpClick()
{
    if (m_sourceJump->showSourceOfCurrentRow(shownStructureView()))
        PageControl1->setCurrentWidget(TabOriginal);
    else
        StatusBar1->setText(QStringLiteral("構造のノードかインデントの行を選んでください"));
}

// The way back starts from the source view's cursor, which only the source tab shows.
void TStructedHtmlForm::StructureJumpClick()
{
    if (PageControl1->currentWidget() != TabOriginal)
        StatusBar1->setText(QStringLiteral("ソースタブで選んでください"));
    else if (m_sourceJump->showNodeAtSourceCursor())
        PageControl1->setCurrentWidget(TabStructure);
}

void TStructedHtmlForm::GoToLineClick()
{
    const SourceIndex& lines = Memo1->lines();
    const auto lineCount = static_cast<int>(std::min<std::size_t>(lines.lineCount(), INT_MAX));
    const auto current = static_cast<int>(std::min<std::size_t>(lines.at(Memo1->cursorOffset()).line, INT_MAX));
    const std::optional<int> line = ModalSeam::askNumber(this, QStringLiteral("行へ移動"),
                                                         QStringLiteral("行番号 (1～%1):").arg(lineCount), current,
                                                         1, lineCount);
    if (!line)
        return;
    m_sourceJump->showSourceLine(static_cast<std::size_t>(*line));
    PageControl1->setCurrentWidget(TabOriginal);
}

StructureView TStructedHtmlForm::shownStructureView() const
{
    return PageControl1->currentWidget() == TabIndented ? StructureView::Listing : StructureView::Tree;
}

const Listing& TStructedHtmlForm::shownListing() const
{
    static const Listing none;
    return m_listing ? *m_listing : none;
}

void TStructedHtmlForm::clearDocumentViews()
{
    Memo1->clear();
    m_listingModel->setListing(nullptr);
    m_listing.reset();
    TreeIndent1->clearNodes();
    m_treeListing.reset();
    m_sourceJump->setDocument(nullptr, nullptr);
    m_faultMarks->clear();
    RulesStatus->clear();
}

std::string TStructedHtmlForm::fileMask() const
{
    return FileListBox1->mask();
}

void TStructedHtmlForm::setFileMask(const std::string& mask)
{
    FileListBox1->setMask(mask);
}

// The folder is stored as the system reports it, byte for byte, so that
// any folder name comes back, also one that Shift-JIS cannot spell.
std::string TStructedHtmlForm::folder() const
{
    return DirectoryListBox1->folder().string();
}

void TStructedHtmlForm::setFolder(const std::string& folder)
{
    DirectoryListBox1->setDirectory(std::filesystem::path(folder));
}

bool TStructedHtmlForm::convertsToShiftJis() const
{
    return isShiftJis->isChecked();
}

void TStructedHtmlForm::setConvertsToShiftJis(bool on)
{
    isShiftJis->setChecked(on);
}

// The box lists the choices in their order.
RulesChoice TStructedHtmlForm::rulesChoice() const
{
    return static_cast<RulesChoice>(TagRulesBox->currentIndex());
}

void TStructedHtmlForm::setRulesChoice(RulesChoice choice)
{
    TagRulesBox->setCurrentIndex(static_cast<int>(choice));
}

std::optional<TagRules> TStructedHtmlForm::chosenRules() const
{
    switch (rulesChoice()) {
    case RulesChoice::Html: return TagRules::Html;
    case RulesChoice::Xml: return TagRules::Xml;
    case RulesChoice::Automatic: break;
    }
    return std::nullopt;
}

TagRules TStructedHtmlForm::rulesForSource(std::string_view source) const
{
    return chosenRules().value_or(rulesFor(source));
}

std::function<void()> TStructedHtmlForm::guarded(void (TStructedHtmlForm::*handler)())
{
    return [this, handler] { runHandler([&] { (this->*handler)(); }); };
}

void TStructedHtmlForm::buildMenus()
{
    buildSearchMenu();
    buildMoveMenu();
    buildCheckMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    addCommand(*help, QStringLiteral("目次"), "Contents1", &TStructedHtmlForm::Contents1Click);
    addCommand(*help, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), "about1", &TStructedHtmlForm::about1Click);
    addCommand(*menuBar(), QStringLiteral("終了"), "Exit1", &TStructedHtmlForm::Exit1Click);
}

void TStructedHtmlForm::buildSearchMenu()
{
    QMenu* search = menuBar()->addMenu(QStringLiteral("検索(&S)"));
    addCommand(*search, QStringLiteral("検索..."), "Find1", &TStructedHtmlForm::Find1Click, QKeySequence::Find);
    addCommand(*search, QStringLiteral("次を検索"), "FindNext1", &TStructedHtmlForm::FindNext1Click, Qt::Key_F3);
    addCommand(*search, QStringLiteral("前を検索"), "FindPrev1", &TStructedHtmlForm::FindPrev1Click,
               Qt::SHIFT | Qt::Key_F3);
    search->addSeparator();
    addCommand(*search, QStringLiteral("再実行"), "Rerun1", &TStructedHtmlForm::Rerun1Click, Qt::Key_F5);
}

void TStructedHtmlForm::buildMoveMenu()
{
    QMenu* move = menuBar()->addMenu(QStringLiteral("移動(&G)"));
    addCommand(*move, QStringLiteral("次の不一致タグ"), "NextMark", &TStructedHtmlForm::NextMarkClick, Qt::Key_F8);
    addCommand(*move, QStringLiteral("前の不一致タグ"), "PreviousMark", &TStructedHtmlForm::PreviousMarkClick,
               Qt::SHIFT | Qt::Key_F8);
    move->addSeparator();
    addCommand(*move, QStringLiteral("ソースの該当箇所へ"), "SourceJump", &TStructedHtmlForm::SourceJumpClick,
               Qt::CTRL | Qt::Key_J);
    addCommand(*move, QStringLiteral("構造の該当ノードへ"), "StructureJump", &TStructedHtmlForm::StructureJumpClick,
               Qt::CTRL | Qt::SHIFT | Qt::Key_J);
    addCommand(*move, QStringLiteral("行へ移動..."), "GoToLine", &TStructedHtmlForm::GoToLineClick,
               Qt::CTRL | Qt::Key_G);
}

// The results list docks under the tabs once a check is asked for.
void TStructedHtmlForm::buildCheckMenu()
{
    QMenu* check = menuBar()->addMenu(QStringLiteral("検査(&C)"));
    addCommand(*check, QStringLiteral("フォルダを検査"), "CheckFolder", &TStructedHtmlForm::CheckFolderClick);
    SiteCheckDock = named(new QDockWidget(QStringLiteral("フォルダの検査結果"), this), "SiteCheckDock");
    m_siteCheck = named(new SiteCheckPane(SiteCheckDock), "SiteCheckPane");
    SiteCheckDock->setWidget(m_siteCheck);
    addDockWidget(Qt::BottomDockWidgetArea, SiteCheckDock);
    SiteCheckDock->hide();
    connect(m_siteCheck, &SiteCheckPane::fileChosen, this,
            [this](const std::filesystem::path& file) { runHandler([&] { openCheckedFile(file); }); });
}

void TStructedHtmlForm::buildTabs()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = named(new PageControl(central), "PageControl1");
    TabSelect = named(buildSelectTab(), "TabSelect");
    TabEnv = named(buildEnvTab(), "TabEnv");
    TabOriginal = named(buildOriginalTab(), "TabOriginal");
    TabIndented = named(buildIndentedTab(), "TabIndented");
    TabStructure = named(buildStructureTab(), "TabStructure");
    PageControl1->addTab(TabSelect, QStringLiteral("ファイル選択"));
    PageControl1->addTab(TabEnv, QStringLiteral("動作環境"));
    PageControl1->addTab(TabOriginal, QStringLiteral("オリジナルソース"));
    Memo1->setCaption(QStringLiteral("オリジナルソース"));
    PageControl1->addTab(TabIndented, QStringLiteral("インデント"));
    PageControl1->addTab(TabStructure, QStringLiteral("構造化"));
    nameAfterTab(*ShowResultList, *PageControl1, *TabIndented);
    nameAfterTab(*TreeIndent1, *PageControl1, *TabStructure);
    layout->addWidget(PageControl1, 1);
    buildFindBar(*central);
    layout->addWidget(m_findBar);
    ProgressBar1 = named(new QProgressBar(central), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(8);
    layout->addWidget(ProgressBar1);
    setCentralWidget(central);
    StatusBar1 = named(new QLabel(this), "StatusBar1");
    statusBar()->addWidget(StatusBar1, 1);
    // The marks have a place of their own, beside the run's texts.
    MarkStatus = named(new QLabel(this), "MarkStatus");
    statusBar()->addPermanentWidget(MarkStatus);
    RulesStatus = named(new QLabel(this), "RulesStatus");
    statusBar()->addPermanentWidget(RulesStatus);
}

// The bar searches the source, the listing and the tree, whichever is shown.
void TStructedHtmlForm::buildFindBar(QWidget& parent)
{
    m_findBar = new FindBar(*PageControl1, &parent);
    const auto listingLineMatch = [this](std::size_t row, const SjisFind& find) {
        // The leading blanks are only counted: the bytes after them are searched.
        return find.firstIn(m_listingModel->lineAt(row).text);
    };
    const auto showListingMatch = [this](std::size_t row, std::size_t start, std::size_t length) {
        ShowResultList->markMatch(static_cast<int>(row), start, length);
    };
    m_findBar->addTarget(*TabOriginal, std::make_unique<SourceFindTarget>(*Memo1));
    m_findBar->addTarget(*TabIndented,
                         std::make_unique<RowFindTarget>(*ShowResultList, listingLineMatch, showListingMatch));
    m_findBar->addTarget(*TabStructure, std::make_unique<TreeFindTarget>(*TreeIndent1));
}

// The pane's lists keep the names that the handlers and the settings use.
FileSelectionPane* TStructedHtmlForm::buildSelectTab()
{
    auto* pane = new FileSelectionPane;
    DriveComboBox1 = &pane->drives();
    DirectoryListBox1 = &pane->folders();
    FileListBox1 = &pane->files();
    connect(pane, &FileSelectionPane::fileChosen, this, guarded(&TStructedHtmlForm::FileListBox1DblClick));
    connect(pane, &FileSelectionPane::filesPressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& position) {
                runHandler([&] { FileListBox1MouseDown(button, modifiers, position); });
            });
    return pane;
}

// The excluded-tag editor above the settings of the run.
QWidget* TStructedHtmlForm::buildEnvTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_excludedTags = named(
        new ExcludedTagsPane(*this, [this] { return QPoint(kAddPanelLeft, menuBar()->height() + kAddPanelTop); }, tab),
        "ExcludedTagsPane");
    layout->addWidget(m_excludedTags, 1);
    isShiftJis = named(new QCheckBox(QStringLiteral("Shift-JISに変換して処理"), tab), "isShiftJis");
    isShiftJis->setChecked(true);
    layout->addWidget(isShiftJis, 0, Qt::AlignLeft);
    // The rules the marks judge a page by; a run after a change follows it.
    auto* rulesRow = new QHBoxLayout;
    rulesRow->addWidget(new QLabel(QStringLiteral("タグの対応の規則"), tab));
    TagRulesBox = named(new QComboBox(tab), "TagRulesBox");
    TagRulesBox->addItems({QStringLiteral("自動"), QStringLiteral("HTML"), QStringLiteral("XML")});
    TagRulesBox->setToolTip(QStringLiteral("自動: <?xml で始まるか XHTML の文書型なら XML、ほかは HTML の規則で調べます"));
    rulesRow->addWidget(TagRulesBox);
    rulesRow->addStretch(1);
    layout->addLayout(rulesRow);
    return tab;
}

QWidget* TStructedHtmlForm::buildOriginalTab()
{
    Memo1 = named(new SourceView, "Memo1");
    return pageFilledBy(Memo1);
}

QWidget* TStructedHtmlForm::buildIndentedTab()
{
    ShowResultList = named(new LineListView, "ShowResultList");
    m_listingModel = new ListingModel(ShowResultList);
    ShowResultList->setRowsModel(*m_listingModel);
    // Each line is numbered by the source line it came from, as the status
    // names places; the source is counted only while a listing of it is shown.
    ShowResultList->showLineNumbers(
        [this](int row) { return m_listingModel->sourceLine(static_cast<std::size_t>(row), Memo1->lines()); },
        [this] { return m_listingModel->lineCount() > 0 && Memo1->source() ? lineCountOf(*Memo1->source()) : 0; });
    setBackground(*ShowResultList, kListingBackground);
    return pageFilledBy(ShowResultList);
}

QWidget* TStructedHtmlForm::buildStructureTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    TreeIndent1 = named(new TTreeIndent(tab), "TreeIndent1");
    setBackground(*TreeIndent1, kTreeBackground);
    QPalette palette = TreeIndent1->palette();
    palette.setColor(QPalette::Text, kTreeText);
    TreeIndent1->setPalette(palette);
    TreeIndent1->setFont(designFont(QStringLiteral("ＭＳ 明朝"), 12));
    TreeIndent1->setIndentation(19);
    TreeIndent1->setExpandsOnDoubleClick(false);
    TreeIndent1->setToolTip(QStringLiteral("ダブルクリックでファイル選択に"));
    connect(TreeIndent1, &TTreeIndent::leftDoubleClicked, this, guarded(&TStructedHtmlForm::TreeIndent1DblClick));
    SaveStructure = addPopupMenu(*TreeIndent1, "SaveStructure");
    addCommand(*SaveStructure, QStringLiteral("保存"), "Save1", &TStructedHtmlForm::Save1Click);
    addCommand(*SaveStructure, QStringLiteral("行分析表示"), "TagCheck", &TStructedHtmlForm::TagCheckClick);
    layout->addWidget(TreeIndent1, 1);
    auto* buttons = new QHBoxLayout;
    ExpandBtn = named(addGlyphButton(QStringLiteral("全展開"), Glyph::ExpandAll, &TStructedHtmlForm::ExpandBtnClick),
                      "ExpandBtn");
    CollapseBtn = named(
        addGlyphButton(QStringLiteral("全たたみ"), Glyph::CollapseAll, &TStructedHtmlForm::CollapseBtnClick),
        "CollapseBtn");
    BrowserBtn = named(addGlyphButton(QStringLiteral("画面表示"), Glyph::Browser, &TStructedHtmlForm::BrowserBtnClick),
                       "BrowserBtn");
    buttons->addWidget(ExpandBtn);
    buttons->addWidget(CollapseBtn);
    buttons->addWidget(BrowserBtn);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return tab;
}

void TStructedHtmlForm::addCommand(QWidget& menu, const QString& caption, const char* name,
                                   void (TStructedHtmlForm::*handler)(), const QKeySequence& shortcut)
{
    auto* command = named(new QAction(caption, &menu), name);
    command->setShortcut(shortcut);
    menu.addAction(command);
    connect(command, &QAction::triggered, this, guarded(handler));
}

// The menu pops up where the right button is pressed over the view.
QMenu* TStructedHtmlForm::addPopupMenu(QAbstractItemView& view, const char* name)
{
    auto* menu = named(new QMenu(&view), name);
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&view, &QWidget::customContextMenuRequested, menu,
            [menu, &view](const QPoint& at) { menu->popup(view.viewport()->mapToGlobal(at)); });
    return menu;
}

QPushButton* TStructedHtmlForm::addGlyphButton(const QString& caption, Glyph glyph,
                                               void (TStructedHtmlForm::*handler)())
{
    auto* button = new QPushButton(glyphIcon(glyph), caption);
    connect(button, &QPushButton::clicked, this, guarded(handler));
    return button;
}

void TStructedHtmlForm::buildSaveDialog()
{
    SaveDialog1 = named(new QFileDialog(this, QStringLiteral("構造化ソース保存")), "SaveDialog1");
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilter(QStringLiteral("htmlファイル (*.htm*)"));
    SaveDialog1->setDefaultSuffix(QStringLiteral("htm"));
    SaveDialog1->setSizeGripEnabled(true);
    setFollowsDisk(*SaveDialog1, false);
}

// The toolkit sizes the inside of the window, while the design gives its
// outer frame. The frame is known once the desktop has framed the window,
// which then moves; without a frame the sizes are the same.
void TStructedHtmlForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (m_frameFitted || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    m_frameFitted = true;
    resize(kDesignedFrameSize.shrunkBy(frame));
}

// A file dragged from the desktop opens as a double-click on it would.
void TStructedHtmlForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void TStructedHtmlForm::dropEvent(QDropEvent* event)
{
    const std::filesystem::path path = droppedFile(*event->mimeData());
    if (path.empty())
        return;
    event->acceptProposedAction();
    runHandler([&] { openFile(path); });
}

} // namespace vorelind
