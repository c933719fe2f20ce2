#include "ui/directorylistbox.h"

#include "ui/errorreport.h"

#include <QDir>
#include <QFile>
#include <QStyle>

#include <unistd.h>

namespace vorelind {

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QListWidget(parent)
    , m_directory(QDir::currentPath())
{
    connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::openItem);
    relist();
}

void DirectoryListBox::setDirectory(const QString& path)
{
    if (::chdir(QFile::encodeName(path).constData()) != 0)
        throw systemError();
    // The folder as the system reports it: absolute, without "." or "..".
    m_directory = QDir::currentPath();
    relist();
    emit directoryChanged(m_directory);
}

void DirectoryListBox::openItem(QListWidgetItem* item)
{
    runHandler([&] { setDirectory(item->data(kPathRole).toString()); });
}

void DirectoryListBox::relist()
{
    clear();
    QStringList ancestors;
    QDir dir(m_directory);
    do {
        ancestors.prepend(dir.absolutePath());
    } while (dir.cdUp());
    int level = 0;
    for (const QString& path : ancestors) {
        const QString name = QDir(path).dirName();
        addEntry(path, name.isEmpty() ? path : name, level++, true);
    }
    setCurrentRow(count() - 1);
    const QDir current(m_directory);
    const QStringList subfolders = current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders)
        addEntry(current.absoluteFilePath(name), name, level, false);
}

void DirectoryListBox::addEntry(const QString& path, const QString& text, int level, bool open)
{
    auto* item = new QListWidgetItem(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
                                     QString(level * 2, QLatin1Char(' ')) + text, this);
    item->setData(kPathRole, path);
}

} // namespace vorelind
