#pragma once

// A main window over temporary folders, for the tests that drive it.

#include "seam/modalseam.h"
#include "ui/directorylistbox.h"
#include "ui/filelistbox.h"
#include "ui/htmladj.h"
#include "ui/linelistview.h"
#include "ui/sourcerowview.h"
#include "ui/sourceview.h"
#include "ui/treeindent.h"
#include "treeoutline.h"
#include "windowtest.h"

#include <QTabWidget>

// One window over a program folder and a document folder, browsing the
// document folder.
class WindowUnderTest {
public:
    explicit WindowUnderTest(const QString& folderName = {})
        : folders(folderName)
        , form(folders.executablePath())
    {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the window was never shown");
        control<vorelind::DirectoryListBox>(form, "DirectoryListBox1")->setDirectory(folders.documents());
        vorelind::ModalSeam::takeAnsweredMessages();
    }

    // Writes a document, lists it and double-clicks it.
    void openDocument(const QString& name, const QByteArray& bytes)
    {
        writeFile(folders.document(name), bytes.toStdString());
        doubleClick(name);
    }

    void doubleClick(const QString& name)
    {
        auto* files = control<vorelind::FileListBox>(form, "FileListBox1");
        files->setDirectory(folders.documents());
        QListWidgetItem* item = itemNamed(*files, name);
        QVERIFY(item);
        doubleClickItem(*files, *item);
    }

    QStringList tabCaptions() const
    {
        auto* tabs = control<QTabWidget>(form, "PageControl1");
        QStringList captions;
        for (int index = 0; index < tabs->count(); ++index)
            captions << tabs->tabText(index);
        return captions;
    }

    QString currentTab() const { return control<QTabWidget>(form, "PageControl1")->currentWidget()->objectName(); }
    QStringList source() const { return displayedRows(*control<vorelind::SourceView>(form, "Memo1")->rowView().model()); }
    QStringList listing() const { return displayedRows(*control<vorelind::LineListView>(form, "ShowResultList")->model()); }
    QStringList tree() const { return outline(control<vorelind::TTreeIndent>(form, "TreeIndent1")->indentModel().tree()); }

    // The rows that the source view shows for a page of CR LF lines.
    static QStringList pageRows(const QByteArray& page)
    {
        return QString::fromLatin1(page).remove('\r').split('\n', Qt::SkipEmptyParts);
    }

    WindowTestFolders folders;
    vorelind::TStructedHtmlForm form;
};
