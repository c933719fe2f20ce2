#include "ui/excludedtagspane.h"

#include "document/tagorder.h"
#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "platform/files/filesfolder.h"
#include "platform/files/nativepath.h"
#include "seam/modalseam.h"
#include "ui/errorreport.h"
#include "ui/formparts.h"
#include "ui/linelistview.h"
#include "util/apperror.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace vorelind {

namespace {

const QColor kAddPanelBackground(255, 128, 64);
constexpr int kLeftColumnWidth = 200;

} // namespace

ExcludedTagsPane::ExcludedTagsPane(QWidget& panelHost, std::function<QPoint()> panelPlace, QWidget* parent)
    : QWidget(parent)
    , m_panelPlace(std::move(panelPlace))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("構造化除外タグ"), this));
    IgnoreTags = named(new LineListView(this), "IgnoreTags");
    IgnoreTags->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 15, QFont::Bold));
    IgnoreTags->setFixedWidth(kLeftColumnWidth);
    layout->addWidget(IgnoreTags, 1);
    buildPopupMenu();
    buildAddPanel(panelHost);
    IgnoreTags->installEventFilter(this);
    AddTag->installEventFilter(this);
}

const std::vector<std::string>& ExcludedTagsPane::tags() const
{
    return IgnoreTags->lines();
}

void ExcludedTagsPane::openAddPanel()
{
    IgnoreAddPanel->move(m_panelPlace());
    IgnoreAddPanel->show();
    IgnoreAddPanel->raise();
    AddTag->setFocus();
}

void ExcludedTagsPane::deleteSelectedTag()
{
    const int row = IgnoreTags->selectedRow();
    if (row < 0) {
        ModalSeam::showMessage(this, MessageIcon::Information, QStringLiteral("削除？"),
                               QStringLiteral("カーソルが設定されていません"));
        return;
    }
    IgnoreTags->lineModel().removeLine(static_cast<std::size_t>(row));
    const int count = static_cast<int>(IgnoreTags->lines().size());
    IgnoreTags->selectRow(row < count ? row : row - 1);
}

void ExcludedTagsPane::tagsKeyDown(int key)
{
    if (key == Qt::Key_Delete)
        deleteSelectedTag();
}

QChar ExcludedTagsPane::addTagKeyPress(QChar key)
{
    if (key == QLatin1Char('<') || key == QLatin1Char('>'))
        return {};
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        return key.toUpper();
    return key;
}

void ExcludedTagsPane::addTagKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        AddTag->clear();
        IgnoreAddPanel->hide();
        return;
    }
    if (isEnterKey(key)) {
        addIgnoreTag(fromDisplayText(AddTag->text()));
        AddTag->clear();
        IgnoreAddPanel->hide();
        tellOnceThatListIsNotSaved();
    }
    removeDuplicateIgnoreTags();
    saveIgnoreListWhileTyping();
}

void ExcludedTagsPane::loadIgnoreList(const QString& programFolder)
{
    m_programFolder = programFolder;
    m_ignoreListFile.emplace(filesFolder(fileSystemPath(programFolder)) / "ignore.trm");
    std::vector<std::string> entries = m_ignoreListFile->load();
    sortTags(entries);
    IgnoreTags->lineModel().setLines(std::move(entries));
}

void ExcludedTagsPane::saveIgnoreList()
{
    if (m_ignoreListFile)
        m_ignoreListFile->save(IgnoreTags->lines());
}

bool ExcludedTagsPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == AddTag && event->type() == QEvent::KeyPress)
        return filterAddTagKey(*static_cast<QKeyEvent*>(event));
    if (watched == IgnoreTags && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        runHandler([&] { tagsKeyDown(key); });
        return key == Qt::Key_Delete;
    }
    return QWidget::eventFilter(watched, event);
}

void ExcludedTagsPane::buildAddPanel(QWidget& host)
{
    IgnoreAddPanel = named(new QFrame(&host), "IgnoreAddPanel");
    IgnoreAddPanel->setFrameShape(QFrame::Panel);
    IgnoreAddPanel->resize(185, 65);
    setPanelBackground(*IgnoreAddPanel, kAddPanelBackground);
    auto* layout = new QVBoxLayout(IgnoreAddPanel);
    layout->addWidget(new QLabel(QStringLiteral("除外タグの追加"), IgnoreAddPanel));
    AddTag = named(new QLineEdit(IgnoreAddPanel), "AddTag");
    AddTag->setAttribute(Qt::WA_InputMethodEnabled, false);
    layout->addWidget(AddTag);
    IgnoreAddPanel->hide();
}

// The menu pops up where the right button is pressed over the list.
void ExcludedTagsPane::buildPopupMenu()
{
    PopupMenu1 = named(new QMenu(IgnoreTags), "PopupMenu1");
    IgnoreTags->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(IgnoreTags, &QWidget::customContextMenuRequested, PopupMenu1,
            [this](const QPoint& at) { PopupMenu1->popup(IgnoreTags->viewport()->mapToGlobal(at)); });
    const auto addCommand = [this](const QString& caption, const char* name, void (ExcludedTagsPane::*handler)()) {
        auto* command = named(new QAction(caption, PopupMenu1), name);
        PopupMenu1->addAction(command);
        connect(command, &QAction::triggered, this,
                [this, handler] { runHandler([this, handler] { (this->*handler)(); }); });
    };
    addCommand(QStringLiteral("除外タグの追加"), "AddIgnoreTag", &ExcludedTagsPane::openAddPanel);
    addCommand(QStringLiteral("除外タグの削除"), "DelIgnoreTag", &ExcludedTagsPane::deleteSelectedTag);
}

// Runs the key-down handler, then the character filter on the typed
// character, as the key's two events would.
bool ExcludedTagsPane::filterAddTagKey(QKeyEvent& event)
{
    const int key = event.key();
    runHandler([&] { addTagKeyDown(key); });
    if (key == Qt::Key_Escape || isEnterKey(key))
        return true;
    const QString typed = event.text();
    if (typed.size() != 1)
        return false;
    const QChar character = addTagKeyPress(typed.front());
    if (character == typed.front())
        return false;
    if (!character.isNull())
        AddTag->insert(character);
    return true;
}

// Every key typed into the add field saves the list; a failure is shown once
// per session, not once per key, and the next key tries again.
void ExcludedTagsPane::saveIgnoreListWhileTyping()
{
    try {
        saveIgnoreList();
    } catch (const AppError& error) {
        if (m_shownListFailure == error.what())
            return;
        m_shownListFailure = error.what();
        throw;
    }
}

// A list that was not loaded at start is never written: the user learns it
// with the first addition, not at the exit.
void ExcludedTagsPane::tellOnceThatListIsNotSaved()
{
    if (m_toldListNotSaved)
        return;
    QString reason;
    if (!m_ignoreListFile)
        reason = QStringLiteral("起動時に設定を読み込めなかったため、");
    else if (m_ignoreListFile->refusesSave())
        reason = QStringLiteral("起動時にファイル %1 を読み込めなかったため、")
                     .arg(m_programFolder + QStringLiteral("ignore.trm"));
    else
        return;
    m_toldListNotSaved = true;
    ModalSeam::showMessage(this, MessageIcon::Information, QStringLiteral("除外タグの追加"),
                           reason + QStringLiteral("除外タグの一覧はこの実行中には保存されません。"
                                                   "元の一覧を読み込めないまま置き換えないためです。"));
}

void ExcludedTagsPane::addIgnoreTag(const std::string& entry)
{
    IgnoreTags->lineModel().insertLine(tagInsertRow(IgnoreTags->lines(), entry), entry);
}

void ExcludedTagsPane::removeDuplicateIgnoreTags()
{
    for (std::size_t row = IgnoreTags->lines().size(); row-- > 1;) {
        if (IgnoreTags->lines()[row] == IgnoreTags->lines()[row - 1])
            IgnoreTags->lineModel().removeLine(row);
    }
}

} // namespace vorelind
