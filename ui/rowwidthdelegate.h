#pragma once

#include "document/listing.h"

#include <QFontMetrics>
#include <QListView>
#include <QStyledItemDelegate>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace vorelind {

// A part of an item's shown text: the text before it and the part itself.
struct TextPart {
    QString before;
    QString part;
};

// The part of an item's text to show as selected, if any.
using MarkedPart = std::function<std::optional<TextPart>(const QModelIndex& index)>;

// Where the style begins an item's text, in the view's coordinates; the
// option is the item's, initialised for painting.
int textStart(const QStyleOptionViewItem& item);

// Paints a part of an item's text over the item as selected text; the
// option is the item's, initialised for painting.
void paintTextPart(QPainter& painter, const QStyleOptionViewItem& item, const TextPart& part);

// Gives every row of a list view with uniform item sizes at least the width
// of the widest text, so that long rows scroll rather than being cut. A row
// shows what shownText() keeps of its text, and its marked part as selected.
class RowWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setTextWidth(int width) { m_textWidth = width; }
    void setMarkedPart(MarkedPart markedPart) { m_markedPart = std::move(markedPart); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int m_textWidth = 0;
    MarkedPart m_markedPart;
};

// Makes the view a read-only, single-selection list of rows, all of one
// size, painted by the delegate.
void setUpUniformRows(QListView& view, RowWidthDelegate& delegate);

// The pixel width of the widest row, of rows given as Shift-JIS bytes after
// a count of leading blanks. Only the longest rows in bytes are measured, so
// that this stays quick for half a million rows.
int widestRowWidth(const QFontMetrics& metrics, std::size_t rowCount,
                   const std::function<IndentedText(std::size_t)>& rowBytes);

} // namespace vorelind
