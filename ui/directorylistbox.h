#pragma once

#include <QListWidget>

namespace vorelind {

// The folder list: the path of the current folder from the root down, then
// its subfolders. A double-click or Enter on an entry opens that folder,
// which also becomes the current folder of the process.
class DirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    QString directory() const { return m_directory; }
    // Opens the folder; raises AppError with the system's text when it
    // can't be entered, and then nothing changes.
    void setDirectory(const QString& path);
    // Lists the current folder's subfolders again, as they now stand on disk.
    void refresh() { relist(); }

signals:
    void directoryChanged(const QString& path);

private:
    void openItem(QListWidgetItem* item);
    void relist();
    void addEntry(const QString& path, const QString& text, int level, bool open);

    QString m_directory;
};

} // namespace vorelind
