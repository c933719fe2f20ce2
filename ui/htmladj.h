#pragma once

#include "launch/lineanalysislaunch.h"
#include "platform/version/commonutil.h"
#include "settings/settings.h"
#include "ui/sourcejump.h"

#include <QKeySequence>
#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QFileDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace vorelind {

class DirectoryListBox;
class DriveComboBox;
class ExcludedTagsPane;
class FaultMarks;
class FileListBox;
class FileSelectionPane;
class FindBar;
class LineListView;
class Listing;
class ListingModel;
class SiteCheckPane;
class SourceView;
class TAboutBox;
class TMaskSetForm;
class TTreeIndent;
enum class Glyph;

// The main window: five tabs (file selection, excluded tags, original
// source, indented listing, structure tree), a menu bar, a thin progress
// bar and a status line. It owns every view and runs start-up and exit.
// Each user event has one handler, and every handler runs inside the
// default error report.
class TStructedHtmlForm : public QMainWindow, private SettingsViews {
    Q_OBJECT

public:
    // Creates the window for the program whose executable lies at the path
    // (its folder holds the excluded-tag file and the work files) and runs
    // FormCreate; then creates the About dialog and the extension mask
    // dialog, hidden.
    explicit TStructedHtmlForm(const QString& executablePath, QWidget* parent = nullptr);
    // Runs FormDestroy.
    ~TStructedHtmlForm() override;

    const std::string& documentTitle() const { return m_documentTitle; }
    const QString& executableFolder() const { return m_executableFolder; }
    TAboutBox& aboutBox() { return *m_aboutBox; }

    void FormCreate();
    void FormDestroy();
    void Exit1Click();
    void FileListBox1DblClick();
    void FileListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& position);
    void StructuringDo();
    void RegRead();
    void RegWrite();
    void Save1Click();
    void TreeIndent1DblClick();
    void ExpandBtnClick();
    void CollapseBtnClick();
    void AddIgnoreTagClick();
    void DelIgnoreTagClick();
    void IgnoreTagsKeyDown(int key);
    // Returns the character to type, or a null character to drop it.
    QChar AddTagKeyPress(QChar key);
    void AddTagKeyDown(int key);
    void BrowserBtnClick();
    void TagCheckClick();
    void Contents1Click();
    void about1Click();
    // The "移動" menu: marks, structure and source, lines.
    void NextMarkClick();
    void PreviousMarkClick();
    void SourceJumpClick();
    void StructureJumpClick();
    void GoToLineClick();
    // The "検索" menu: find, and run the loaded file again.
    void Find1Click();
    void FindNext1Click();
    void FindPrev1Click();
    void Rerun1Click();
    // The "検査" menu: the tag balance of every file of the browsed folder.
    void CheckFolderClick();

    // Opens the file as a double-click on it would: the folder lists browse
    // to its folder and select it, and it is loaded and structured.
    void openFile(const std::filesystem::path& path);

protected:
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The views that the stored settings come from and go to.
    std::string fileMask() const override;
    void setFileMask(const std::string& mask) override;
    std::string folder() const override;
    void setFolder(const std::string& folder) override;
    bool convertsToShiftJis() const override;
    void setConvertsToShiftJis(bool on) override;
    RulesChoice rulesChoice() const override;
    void setRulesChoice(RulesChoice choice) override;
    // The rules the choice on the settings tab sets; none: each page's own.
    std::optional<TagRules> chosenRules() const;
    // The rules the choice on the settings tab gives a loaded text.
    TagRules rulesForSource(std::string_view source) const;
    void buildCheckMenu();
    // Opens a file of the folder check and goes to its first mark.
    void openCheckedFile(const std::filesystem::path& file);

    void buildMenus();
    void buildSearchMenu();
    void buildMoveMenu();
    void buildFindBar(QWidget& parent);
    void buildTabs();
    FileSelectionPane* buildSelectTab();
    QWidget* buildEnvTab();
    QWidget* buildOriginalTab();
    QWidget* buildIndentedTab();
    QWidget* buildStructureTab();
    void buildSaveDialog();
    void addCommand(QWidget& menu, const QString& caption, const char* name, void (TStructedHtmlForm::*handler)(),
                    const QKeySequence& shortcut = {});
    QMenu* addPopupMenu(QAbstractItemView& view, const char* name);
    QPushButton* addGlyphButton(const QString& caption, Glyph glyph, void (TStructedHtmlForm::*handler)());
    // Wraps a handler for a signal connection, inside the default error report.
    std::function<void()> guarded(void (TStructedHtmlForm::*handler)());

    void loadFile(const std::filesystem::path& path);
    void clearDocumentViews();
    // The listing the list shows; an empty one before any walk.
    const Listing& shownListing() const;
    void showLoadedSource(std::shared_ptr<const std::string> source, const std::string& name);
    // The structure view that the move commands act on: the listing when its tab is shown, else the tree.
    StructureView shownStructureView() const;
    StructureView showMarkedView();

    QTabWidget* PageControl1 = nullptr;
    FileSelectionPane* TabSelect = nullptr;
    QWidget* TabEnv = nullptr;
    QWidget* TabOriginal = nullptr;
    QWidget* TabIndented = nullptr;
    QWidget* TabStructure = nullptr;
    DriveComboBox* DriveComboBox1 = nullptr;
    DirectoryListBox* DirectoryListBox1 = nullptr;
    FileListBox* FileListBox1 = nullptr;
    ExcludedTagsPane* m_excludedTags = nullptr;
    QCheckBox* isShiftJis = nullptr;
    QComboBox* TagRulesBox = nullptr;
    SourceView* Memo1 = nullptr;
    LineListView* ShowResultList = nullptr;
    TTreeIndent* TreeIndent1 = nullptr;
    QMenu* SaveStructure = nullptr;
    QPushButton* ExpandBtn = nullptr;
    QPushButton* CollapseBtn = nullptr;
    QPushButton* BrowserBtn = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusBar1 = nullptr;
    QLabel* MarkStatus = nullptr;
    QLabel* RulesStatus = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    FindBar* m_findBar = nullptr;
    QDockWidget* SiteCheckDock = nullptr;
    SiteCheckPane* m_siteCheck = nullptr;
    TCommonUtil CommonUtil1;
    std::unique_ptr<TAboutBox> m_aboutBox;
    std::unique_ptr<TMaskSetForm> m_maskSetForm;
    std::unique_ptr<SourceJump> m_sourceJump;
    std::unique_ptr<FaultMarks> m_faultMarks;

    ListingModel* m_listingModel = nullptr;
    // The listing that the list shows and the export and line analysis read.
    std::shared_ptr<Listing> m_listing;
    // The listing that the tree's nodes point into; a walk that fails leaves
    // the tree, and this, as they were.
    std::shared_ptr<const Listing> m_treeListing;
    std::string m_documentTitle;
    HandedRules m_listingRules; // the rules and excluded names the shown listing was judged by
    // The file last loaded, which the rerun command loads again.
    std::filesystem::path m_loadedPath;
    // Set while the input given during a walk, which waited for its end,
    // is taken in.
    bool m_justWalked = false;
    QString m_executablePath;
    QString m_executableFolder;
    QString m_firstWorkFile;
    QString m_secondWorkFile;
    // Lives as long as the window, so that its guard refuses a second run
    // while the tool of the first one still runs.
    LineAnalysisLaunch m_lineAnalysis;
    bool m_frameFitted = false;
};

} // namespace vorelind
