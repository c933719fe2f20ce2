#pragma once

#include <QListWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace vorelind {

// The file list: the ordinary, non-hidden files of one folder whose names
// match the mask, in ascending order of name without regard to case. Each
// new listing makes the folder the current folder of the process. Every
// file keeps the name the file system gave it, byte for byte: a name that
// is not valid in the system's encoding shows with replacement marks and
// still opens.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // The mask as Shift-JIS text: patterns separated by ";".
    const std::string& mask() const { return m_mask; }
    // Sets the mask; the folder is listed again when it differs.
    void setMask(const std::string& mask);

    // The listed folder as shown, and as the file system spells it.
    QString directory() const;
    const std::filesystem::path& folder() const { return m_folder; }
    void setDirectory(const QString& directory);
    void setDirectory(const std::filesystem::path& folder);

    // The selected file's full path as shown, and as the file system spells
    // it; empty when nothing is selected.
    QString selectedPath() const;
    std::filesystem::path selectedFile() const;

    // Selects the file of that name; nothing is selected when it is not listed.
    void selectName(const QString& name);
    void selectFileNamed(const std::filesystem::path& name);

    // Lists the folder again, as it now stands on disk; the selected file
    // stays selected while it is there.
    void refresh();

private:
    void relist();

    std::string m_mask = "*.htm*";
    std::filesystem::path m_folder;
    // The listed names as the file system gave them, in the rows' order.
    std::vector<std::filesystem::path> m_names;
};

} // namespace vorelind
