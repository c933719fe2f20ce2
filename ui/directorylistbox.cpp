#include "ui/directorylistbox.h"

#include "platform/files/nativepath.h"
#include "ui/errorreport.h"

#include <QStyle>

#include <algorithm>
#include <system_error>

#include <unistd.h>

namespace vorelind {

namespace {

struct Subfolder {
    std::filesystem::path name;
    QString shown;
};

// The folder's subfolders, links to folders included, without hidden ones,
// by name without regard to case. A folder that can't be read has none.
std::vector<Subfolder> subfoldersOf(const std::filesystem::path& folder)
{
    std::vector<Subfolder> subfolders;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        std::filesystem::path name = entry->path().filename();
        if (name.native().front() == '.' || !entry->is_directory(typeError))
            continue;
        QString shown = displayedPath(name);
        subfolders.push_back({std::move(name), std::move(shown)});
    }
    std::sort(subfolders.begin(), subfolders.end(), [](const Subfolder& a, const Subfolder& b) {
        const int order = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return subfolders;
}

// The folder and those above it, from the root down.
std::vector<std::filesystem::path> pathFromTheRoot(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> ancestors{folder};
    while (ancestors.front().has_relative_path())
        ancestors.insert(ancestors.begin(), ancestors.front().parent_path());
    return ancestors;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QListWidget(parent)
{
    std::error_code error;
    m_folder = std::filesystem::current_path(error);
    connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::openItem);
    relist();
}

QString DirectoryListBox::directory() const
{
    return displayedPath(m_folder);
}

void DirectoryListBox::setDirectory(const QString& path)
{
    setDirectory(fileSystemPath(path));
}

void DirectoryListBox::setDirectory(const std::filesystem::path& path)
{
    if (::chdir(path.c_str()) != 0)
        throw systemError();
    // The folder as the system reports it: absolute, without "." or "..".
    m_folder = std::filesystem::current_path();
    relist();
    emit directoryChanged(directory());
}

void DirectoryListBox::openItem(QListWidgetItem* item)
{
    const std::filesystem::path path = m_paths.at(static_cast<std::size_t>(row(item)));
    runHandler([&] { setDirectory(path); });
}

void DirectoryListBox::relist()
{
    clear();
    m_paths.clear();
    int level = 0;
    for (const std::filesystem::path& path : pathFromTheRoot(m_folder)) {
        const QString name = displayedPath(path.filename());
        addEntry(path, name.isEmpty() ? displayedPath(path) : name, level++, true);
    }
    setCurrentRow(count() - 1);
    for (Subfolder& subfolder : subfoldersOf(m_folder))
        addEntry(m_folder / subfolder.name, subfolder.shown, level, false);
}

void DirectoryListBox::addEntry(std::filesystem::path path, const QString& text, int level, bool open)
{
    new QListWidgetItem(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
                        QString(level * 2, QLatin1Char(' ')) + text, this);
    m_paths.push_back(std::move(path));
}

} // namespace vorelind
