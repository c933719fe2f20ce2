#pragma once

// What the benchmarks of the main window share.

#include "seam/modalseam.h"
#include "ui/directorylistbox.h"
#include "ui/filelistbox.h"
#include "ui/htmladj.h"

#include <QApplication>

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
