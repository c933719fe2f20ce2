#pragma once

#include <QListWidget>

#include <filesystem>
#include <vector>

namespace vorelind {

// The folder list: the path of the current folder from the root down, then
// its subfolders. A double-click or Enter on an entry opens that folder,
// which also becomes the current folder of the process. Folders keep their
// paths as the file system gave them.
class DirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    // The current folder as shown, and as the file system spells it.
    QString directory() const;
    const std::filesystem::path& folder() const { return m_folder; }
    // Opens the folder; raises AppError with the system's text when it
    // can't be entered, and then nothing changes.
    void setDirectory(const QString& path);
    void setDirectory(const std::filesystem::path& path);
    // Lists the current folder's subfolders again, as they now stand on disk.
    void refresh() { relist(); }

signals:
    void directoryChanged(const QString& path);

private:
    void openItem(QListWidgetItem* item);
    void relist();
    void addEntry(std::filesystem::path path, const QString& text, int level, bool open);

    std::filesystem::path m_folder;
    // The entries' paths, in the rows' order.
    std::vector<std::filesystem::path> m_paths;
};

} // namespace vorelind
