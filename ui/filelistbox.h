#pragma once

#include <QListWidget>

#include <string>

namespace vorelind {

// The file list: the ordinary, non-hidden files of one folder whose names
// match the mask, in ascending order of name without regard to case. Each
// new listing makes the folder the current folder of the process.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // The mask as Shift-JIS text: patterns separated by ";".
    const std::string& mask() const { return m_mask; }
    // Sets the mask; the folder is listed again when it differs.
    void setMask(const std::string& mask);

    QString directory() const { return m_directory; }
    void setDirectory(const QString& directory);

    // The selected file's full path; empty when nothing is selected.
    QString selectedPath() const;

    // Selects the file of that name; nothing is selected when it is not listed.
    void selectName(const QString& name);

    // Lists the folder again, as it now stands on disk; the selected file
    // stays selected while it is there.
    void refresh();

private:
    void relist();

    std::string m_mask = "*.htm*";
    QString m_directory;
};

} // namespace vorelind
