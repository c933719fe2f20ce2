#pragma once

#include "document/sourceindex.h"
#include "ui/numberedlistview.h"
#include "ui/sourcerowmodel.h"

#include <QFuture>
#include <QFutureWatcher>

#include <memory>
#include <optional>
#include <string>

namespace vorelind {

class SourceRowDelegate;

// The source in a read-only list of its rows, for the pages that a text
// layout cannot hold, and the index of every page's rows. All rows share one size and are laid out in batches, so a
// page of any length shows at once, and a line without breaks, however long,
// is shown over rows of bounded width instead of one text layout that would
// freeze the window.
// Each row that starts a line of the source shows the line's number.
// A long source is shown by its first rows at once and indexed whole on the
// background thread when asked; the view shows all rows as soon as they are
// indexed while it is shown, or else once it is shown or asked for its
// lines or a selection, indexing them then if nobody asked before.
class SourceRowView : public NumberedListView {
    Q_OBJECT

public:
    explicit SourceRowView(QWidget* parent = nullptr);

    // Shows the Shift-JIS bytes, which the view shares rather than copies:
    // their first rows at once, and all of them once they are indexed and
    // the view is shown.
    void setSource(std::shared_ptr<const std::string> bytes);
    // Starts indexing the whole source on the background thread, unless it
    // is indexed or being indexed.
    void indexInBackground();
    // Indexes the whole source, or waits for its index, if it is still to come, and shows all its rows.
    void showAllRows();
    void clear();
    const SourceRowModel& rowModel() const { return m_model; }
    const std::shared_ptr<const std::string>& source() const { return m_model.bytes(); }
    // The lines of the whole source, which end at CR LF pairs.
    const SourceIndex& lines();

    // Lays out the rows that the batches have not reached yet before it
    // scrolls to one of them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Selects bytes of the source (from an offset from 0) and scrolls them into view.
    void selectBytes(std::size_t offset, std::size_t length);
    // The offset of the cursor: the first selected byte, the clicked byte
    // of the current row, or the current row's first byte; 0 without any.
    std::size_t cursorOffset() const;
    // The number of the source line that a row begins; 0 for a row that
    // goes on with a line.
    std::size_t lineNumberOfRow(int row) const;
    // The selected bytes; none after the user moved the cursor.
    std::string_view selectedBytes() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Selection {
        std::size_t offset;
        std::size_t length;
    };

    void showIndexed(std::shared_ptr<const std::string> bytes, SourceIndex index);
    void updateRowWidth();
    std::optional<std::pair<std::size_t, std::size_t>> selectedPart(int row) const;
    void scrollToByte(std::size_t offset);
    QStyleOptionViewItem rowOption(const QModelIndex& index) const;

    SourceRowModel m_model;
    SourceRowDelegate* m_delegate;
    bool m_wholeIndexPending = false; // the first rows are not all, and no index was started
    QFuture<SourceIndex> m_wholeIndex; // valid from its start until it is taken
    QFutureWatcher<SourceIndex> m_wholeIndexDone;
    std::optional<Selection> m_selection;
    std::optional<std::size_t> m_clicked;
};

} // namespace vorelind
