#pragma once

#include <QWidget>

#include <filesystem>

class QFileSystemWatcher;
class QTimer;

namespace vorelind {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;

// The file-selection tab: the drive picker and the folder list on the
// left, the file list on the right. The three follow each other, and the
// shown folder's lists follow changes on disk. It tells the window when a
// file is chosen; the window decides what opening it means.
class FileSelectionPane : public QWidget {
    Q_OBJECT

public:
    explicit FileSelectionPane(QWidget* parent = nullptr);

    DriveComboBox& drives() const { return *m_drives; }
    DirectoryListBox& folders() const { return *m_folders; }
    FileListBox& files() const { return *m_files; }

    // Browses to the file's folder and selects the file there; a file that
    // the mask does not list leaves nothing selected. A missing folder
    // raises AppError naming it, and the lists stay as they were.
    void showFile(const std::filesystem::path& file);

signals:
    // A left double-click on a file, or Enter while a file is selected.
    void fileChosen();
    // A mouse button went down over the file list.
    void filesPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectLists();
    void watchShownFolder();
    void watchFolder();
    void refreshAfterChanges();

    DriveComboBox* m_drives = nullptr;
    DirectoryListBox* m_folders = nullptr;
    FileListBox* m_files = nullptr;
    QFileSystemWatcher* m_folderWatcher = nullptr;
    QTimer* m_folderRefresh = nullptr;
};

} // namespace vorelind
