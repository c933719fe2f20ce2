#include "ui/fileselectionpane.h"

#include "document/messages.h"
#include "platform/codecs/displaytext.h"
#include "platform/files/nativepath.h"
#include "ui/directorylistbox.h"
#include "ui/drivecombobox.h"
#include "ui/errorreport.h"
#include "ui/filelistbox.h"
#include "ui/formparts.h"
#include "util/apperror.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <system_error>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vorelind {

namespace {

constexpr int kLeftColumnWidth = 200;
// However fast the shown folder changes, its lists are read again at most
// once in this time, and at most once in ten times the last reading's time,
// so that reading a large folder that keeps changing takes a tenth of a
// processor or so; but a change shows within two seconds.
constexpr qint64 kFolderRefreshDelayMs = 200;
constexpr qint64 kRestPerReadingTime = 10;
constexpr qint64 kLongestRefreshDelayMs = 2000;

// A folder of thousands of files lists them in many small blocks; once
// the folder has shrunk again they are freed, and the heap gives them back
// to the system rather than keep them for a burst that may never come.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

FileSelectionPane::FileSelectionPane(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    auto* leftColumn = new QVBoxLayout;
    m_drives = named(new DriveComboBox(this), "DriveComboBox1");
    m_folders = named(new DirectoryListBox(this), "DirectoryListBox1");
    m_drives->setFixedWidth(kLeftColumnWidth);
    m_folders->setFixedWidth(kLeftColumnWidth);
    leftColumn->addWidget(m_drives);
    leftColumn->addWidget(m_folders, 1);
    layout->addLayout(leftColumn);
    m_files = named(new FileListBox(this), "FileListBox1");
    m_files->setToolTip(QStringLiteral("右ボタンを押すと、表示する拡張子を変更できます"));
    layout->addWidget(m_files, 1);
    m_files->installEventFilter(this);
    m_files->viewport()->installEventFilter(this);
    connect(m_files, &QAbstractItemView::doubleClicked, this, &FileSelectionPane::fileChosen);
    connectLists();
    watchShownFolder();
}

void FileSelectionPane::showFile(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.parent_path();
    // A folder that is there but can't be looked into gets the system's text from the folder list.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (status.type() == std::filesystem::file_type::not_found || (!error && !std::filesystem::is_directory(status)))
        throw AppError(formatMessage(messages::kMissingFolder, fromDisplayText(displayedPath(folder))));
    m_folders->setDirectory(folder);
    m_files->selectFileNamed(file.filename());
}

bool FileSelectionPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_files && event->type() == QEvent::KeyPress
        && isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
        if (!m_files->selectedFile().empty())
            emit fileChosen();
        return true;
    }
    // Only the left button's double-click chooses a file.
    if (watched == m_files->viewport() && event->type() == QEvent::MouseButtonDblClick)
        return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    if (watched == m_files->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        emit filesPressed(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
        // The right button chooses the mask; it leaves the selection alone.
        return mouse->button() == Qt::RightButton;
    }
    return QWidget::eventFilter(watched, event);
}

void FileSelectionPane::connectLists()
{
    connect(m_folders, &DirectoryListBox::directoryChanged, this, [this](const QString& shown) {
        m_files->setDirectory(m_folders->folder());
        m_drives->showDriveOf(shown);
    });
    connect(m_drives, &DriveComboBox::driveChosen, this,
            [this](const QString& root) { runHandler([&] { m_folders->setDirectory(root); }); });
    m_files->setDirectory(m_folders->folder());
    m_drives->showDriveOf(m_folders->directory());
}

// Files and folders made or removed in the shown folder, by the user or by
// the program's own run log and exports, appear without leaving the folder.
// The first change stops the watch until the lists are read again: a folder
// that changes all the time is read every so often, and in between the
// system's stream of changes is neither queued nor looked at.
void FileSelectionPane::watchShownFolder()
{
    m_folderWatcher = new QFileSystemWatcher(this);
    m_folderRefresh = new QTimer(this);
    m_folderRefresh->setSingleShot(true);
    m_folderRefresh->setInterval(static_cast<int>(kFolderRefreshDelayMs));
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        const QStringList watched = m_folderWatcher->directories();
        if (!watched.isEmpty())
            m_folderWatcher->removePaths(watched);
        if (!m_folderRefresh->isActive())
            m_folderRefresh->start();
    });
    connect(m_folderRefresh, &QTimer::timeout, this, &FileSelectionPane::refreshAfterChanges);
    connect(m_folders, &DirectoryListBox::directoryChanged, this, &FileSelectionPane::watchFolder);
    watchFolder();
}

void FileSelectionPane::watchFolder()
{
    const QStringList watched = m_folderWatcher->directories();
    if (!watched.isEmpty())
        m_folderWatcher->removePaths(watched);
    m_folderWatcher->addPath(m_folders->directory());
}

// The watch is back before the lists are read, so that no change falls
// between the reading and the watch.
void FileSelectionPane::refreshAfterChanges()
{
    QElapsedTimer reading;
    reading.start();
    watchFolder();
    m_files->refresh();
    m_folders->refresh();
    returnFreedMemory();
    const qint64 rest = std::max(kFolderRefreshDelayMs, kRestPerReadingTime * reading.elapsed());
    m_folderRefresh->setInterval(static_cast<int>(std::min(rest, kLongestRefreshDelayMs)));
}

} // namespace vorelind
