#pragma once

// What the benchmarks of the main window share.

#include "seam/modalseam.h"
#include "ui/directorylistbox.h"
#include "ui/filelistbox.h"
#include "ui/htmladj.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// The named child of a window, as the window design names its controls.
template <typename Control>
Control* control(const QObject& window, const char* name)
{
    return window.findChild<Control*>(QLatin1String(name));
}

// Shows the window browsing the folder with its first file selected, ready
// for the double-click handler; the start-up's messages are passed over.
inline void showWithFirstFile(vorelind::TStructedHtmlForm& form, const QString& folder)
{
    form.show();
    QApplication::processEvents();
    control<vorelind::DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(folder);
    control<vorelind::FileListBox>(form, "FileListBox1")->setCurrentRow(0);
    vorelind::ModalSeam::takeAnsweredMessages();
}

// The folders of one window benchmark, all its own: the settings and data
// folders, which the window is pointed at so that it never touches the
// user's, the program's folder and a folder for the page.
class BenchFolders {
public:
    BenchFolders()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    }

    QString programPath() const { return m_program.filePath(QStringLiteral("vorelind")); }
    QString documentsPath() const { return m_documents.path(); }

    // Copies the page into the page's folder and returns the copy's path;
    // an empty one when the page cannot be read.
    QString copyPage(const char* path) const
    {
        const QString original = QString::fromLocal8Bit(path);
        const QString copy = m_documents.filePath(QFileInfo(original).fileName());
        return QFile::copy(original, copy) ? copy : QString();
    }

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_data;
    QTemporaryDir m_program;
    QTemporaryDir m_documents;
};
