#include "ui/filelistbox.h"

#include "platform/codecs/displaytext.h"
#include "util/filemask.h"

#include <QDir>

#include <algorithm>

namespace vorelind {

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
    , m_directory(QDir::currentPath())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    relist();
}

void FileListBox::setMask(const std::string& mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    relist();
}

void FileListBox::setDirectory(const QString& directory)
{
    m_directory = directory;
    relist();
}

QString FileListBox::selectedPath() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return {};
    QString path = m_directory;
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path + selected.constFirst()->text();
}

void FileListBox::selectName(const QString& name)
{
    const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (name.isEmpty() || found.isEmpty()) {
        clearSelection();
        return;
    }
    setCurrentItem(found.constFirst());
}

void FileListBox::refresh()
{
    const QList<QListWidgetItem*> selected = selectedItems();
    const QString selectedName = selected.isEmpty() ? QString() : selected.constFirst()->text();
    relist();
    if (!selectedName.isEmpty())
        selectName(selectedName);
}

void FileListBox::relist()
{
    QDir::setCurrent(m_directory);
    // Without QDir::Hidden and QDir::System: no hidden files, no devices,
    // sockets or broken links.
    QStringList names = QDir(m_directory).entryList(QDir::Files);
    names.removeIf([&](const QString& name) { return !matchesFileMask(m_mask, fromDisplayText(name)); });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    clear();
    addItems(names);
}

} // namespace vorelind
