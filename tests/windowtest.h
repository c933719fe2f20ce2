#pragma once

// Helpers for the tests that drive the windows offscreen.

#include "testfiles.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Folders for one window test: one that holds the program (its excluded-tag
// file and work files lie there), one with documents to browse, a fresh
// store for the settings, the user's data folder, which takes those files
// when the program's folder is read-only, and the user's runtime folder,
// where the link to a started tool lies. With a name, the program and
// the documents lie in folders of that name.
class WindowTestFolders {
public:
    explicit WindowTestFolders(const QString& name = {})
        : m_programFolder(subfolder(m_program, name))
        , m_documentsFolder(subfolder(m_documents, name))
    {
        qputenv("XDG_CONFIG_HOME", m_settings.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        // Qt keeps its own settings, such as the file dialog's history, in
        // the settings folder it first saw; they follow each test's store
        // instead, so that none outlives its test.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

    QString executablePath() const { return programFile(QStringLiteral("vorelind")); }
    QString programFolder() const { return m_programFolder; }
    QString programFile(const QString& name) const { return QDir(m_programFolder).filePath(name); }
    QString settingsFolder() const { return m_settings.filePath(QStringLiteral("vorelind")); }
    QString settingsFile() const { return m_settings.filePath(QStringLiteral("vorelind/registry.reg")); }
    QString userDataHome() const { return m_data.path(); }
    QString userDataFile(const QString& name) const { return m_data.filePath(QStringLiteral("vorelind/") + name); }
    QString documents() const { return m_documentsFolder; }
    QString document(const QString& name) const { return QDir(m_documentsFolder).filePath(name); }

private:
    static QString subfolder(const QTemporaryDir& parent, const QString& name)
    {
        if (name.isEmpty())
            return parent.path();
        if (!QDir(parent.path()).mkdir(name))
            qFatal("cannot create a folder %s", qPrintable(name));
        return parent.filePath(name);
    }

    QTemporaryDir m_settings;
    QTemporaryDir m_program;
    QTemporaryDir m_documents;
    QTemporaryDir m_data;
    QTemporaryDir m_runtime;
    QString m_programFolder;
    QString m_documentsFolder;
};

// The named child of a window, as the window design names its controls.
template <typename Control>
Control* control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline QListWidgetItem* itemNamed(QListWidget& list, const QString& text)
{
    const QList<QListWidgetItem*> items = list.findItems(text, Qt::MatchExactly);
    return items.isEmpty() ? nullptr : items.constFirst();
}

// Double-clicks an item of a list as the user would.
inline void doubleClickItem(QListWidget& list, QListWidgetItem& item)
{
    // The list lays its items out on the next pass of the event loop.
    QCoreApplication::processEvents();
    const QPoint centre = list.visualItemRect(&item).center();
    // QTest's double-click is only the second click: the view needs the first.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
}

inline QStringList displayedRows(const QAbstractItemModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, 0).data().toString();
    return rows;
}
