#pragma once

#include "settings/listfile.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QKeyEvent;
class QLineEdit;
class QMenu;

namespace vorelind {

class LineListView;

// The excluded-tag editor: the list with its popup menu, and the add panel
// whose field takes a tag name. Every key typed into the field saves the
// list to "ignore.trm", which the pane loads from the program's folder.
class ExcludedTagsPane : public QWidget {
    Q_OBJECT

public:
    // The add panel is a child of the host, so that it stays in front
    // whichever page is shown; the place gives its top left there each
    // time it opens.
    ExcludedTagsPane(QWidget& panelHost, std::function<QPoint()> panelPlace, QWidget* parent = nullptr);

    // The excluded tag names as listed, sorted.
    const std::vector<std::string>& tags() const;

    // Shows the add panel and puts the focus in its field.
    void openAddPanel();
    // Removes the selected entry; without a selection asks for one.
    void deleteSelectedTag();
    // Delete removes the selected entry.
    void tagsKeyDown(int key);
    // Returns the character to type, or a null character to drop it.
    static QChar addTagKeyPress(QChar key);
    // Enter adds the field's name, Esc drops it; any key saves the list.
    void addTagKeyDown(int key);

    // Reads "ignore.trm" of the program's folder, or of the user's data
    // folder when the program's is read-only.
    void loadIgnoreList(const QString& programFolder);
    // Without a loaded list file there is nothing to write.
    void saveIgnoreList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAddPanel(QWidget& host);
    void buildPopupMenu();
    bool filterAddTagKey(QKeyEvent& event);
    void saveIgnoreListWhileTyping();
    void tellOnceThatListIsNotSaved();
    void addIgnoreTag(const std::string& entry);
    void removeDuplicateIgnoreTags();

    LineListView* IgnoreTags = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QFrame* IgnoreAddPanel = nullptr;
    QLineEdit* AddTag = nullptr;
    std::function<QPoint()> m_panelPlace;
    QString m_programFolder;
    // "ignore.trm", once the program's folder is known; it refuses to
    // replace a file whose list it could not load.
    std::optional<IgnoreListFile> m_ignoreListFile;
    // The failure of saving the list that was shown last, shown once per session.
    std::string m_shownListFailure;
    bool m_toldListNotSaved = false;
};

} // namespace vorelind
