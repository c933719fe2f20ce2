#include "ui/filelistbox.h"

#include "platform/codecs/displaytext.h"
#include "platform/files/nativepath.h"
#include "util/filemask.h"

#include <algorithm>
#include <system_error>

namespace vorelind {

namespace {

struct ListedFile {
    std::filesystem::path name;
    QString shown;
};

bool isHidden(const std::filesystem::path& name)
{
    return name.native().front() == '.';
}

// The ordinary files of the folder, links to them included: no hidden
// files, no folders, devices, pipes, sockets or broken links. A folder that
// can't be read lists nothing.
std::vector<ListedFile> ordinaryFilesIn(const std::filesystem::path& folder)
{
    std::vector<ListedFile> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        std::filesystem::path name = entry->path().filename();
        if (isHidden(name) || !entry->is_regular_file(typeError))
            continue;
        QString shown = displayedPath(name);
        files.push_back({std::move(name), std::move(shown)});
    }
    return files;
}

} // namespace

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    std::error_code error;
    m_folder = std::filesystem::current_path(error);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of text: a folder of many thousand files is laid out at once.
    setUniformItemSizes(true);
    relist();
}

void FileListBox::setMask(const std::string& mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    relist();
}

QString FileListBox::directory() const
{
    return displayedPath(m_folder);
}

void FileListBox::setDirectory(const QString& directory)
{
    setDirectory(fileSystemPath(directory));
}

void FileListBox::setDirectory(const std::filesystem::path& folder)
{
    m_folder = folder;
    relist();
}

QString FileListBox::selectedPath() const
{
    const std::filesystem::path file = selectedFile();
    return file.empty() ? QString() : displayedPath(file);
}

std::filesystem::path FileListBox::selectedFile() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return {};
    return m_folder / m_names.at(static_cast<std::size_t>(row(selected.constFirst())));
}

void FileListBox::selectName(const QString& name)
{
    selectFileNamed(fileSystemPath(name));
}

void FileListBox::selectFileNamed(const std::filesystem::path& name)
{
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    if (name.empty() || found == m_names.end()) {
        clearSelection();
        return;
    }
    setCurrentRow(static_cast<int>(found - m_names.begin()));
}

void FileListBox::refresh()
{
    const std::filesystem::path selected = selectedFile();
    relist();
    if (!selected.empty())
        selectFileNamed(selected.filename());
}

void FileListBox::relist()
{
    std::error_code error;
    std::filesystem::current_path(m_folder, error);
    std::vector<ListedFile> files = ordinaryFilesIn(m_folder);
    std::erase_if(files, [&](const ListedFile& file) { return !matchesFileMask(m_mask, fromDisplayText(file.shown)); });
    // Names that show alike, such as two with replacement marks, keep the order of their bytes.
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        const int order = a.shown.compare(b.shown, Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        return a.shown != b.shown ? a.shown < b.shown : a.name < b.name;
    });
    // Built afresh rather than cleared, so that a long list's memory goes once the folder shrinks.
    std::vector<std::filesystem::path> names;
    names.reserve(files.size());
    QStringList shown;
    for (ListedFile& file : files) {
        shown << file.shown;
        names.push_back(std::move(file.name));
    }
    clear();
    m_names = std::move(names);
    addItems(shown);
}

} // namespace vorelind
