#include "ui/linelistview.h"

#include "platform/displaytext.h"

#include <QStyledItemDelegate>

#include <algorithm>

namespace vorelind {

namespace {

// How many of the longest lines (in bytes) are measured for the row width.
constexpr std::size_t kMeasuredLines = 16;

// Returns the rows of the longest lines, at most kMeasuredLines of them.
std::vector<std::size_t> longestRows(const LineRowsModel& lines)
{
    std::vector<std::size_t> rows;
    const auto length = [&](std::size_t row) { return lines.lineAt(row).size(); };
    for (std::size_t row = 0; row < lines.lineCount(); ++row) {
        if (rows.size() < kMeasuredLines) {
            rows.push_back(row);
            continue;
        }
        const auto shortest = std::min_element(rows.begin(), rows.end(),
                                               [&](std::size_t a, std::size_t b) { return length(a) < length(b); });
        if (length(row) > length(*shortest))
            *shortest = row;
    }
    return rows;
}

} // namespace

// Gives every row at least the width of the widest line.
class RowWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setTextWidth(int width) { m_textWidth = width; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        // The margin leaves room for the frame the style draws around the text.
        size.setWidth(std::max(size.width(), m_textWidth + option.fontMetrics.averageCharWidth() * 2));
        return size;
    }

private:
    int m_textWidth = 0;
};

LineListView::LineListView(QWidget* parent)
    : QListView(parent)
    , m_delegate(new RowWidthDelegate(this))
{
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    showRows(m_model);
}

void LineListView::setRowsModel(LineRowsModel& rows)
{
    disconnect(m_rows, nullptr, this, nullptr);
    showRows(rows);
}

void LineListView::showRows(LineRowsModel& rows)
{
    m_rows = &rows;
    setModel(&rows);
    connect(&rows, &QAbstractItemModel::modelReset, this, &LineListView::updateRowWidth);
    connect(&rows, &QAbstractItemModel::rowsInserted, this, &LineListView::updateRowWidth);
    updateRowWidth();
}

int LineListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void LineListView::selectRow(int row)
{
    if (row < 0) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(m_rows->index(row));
}

void LineListView::updateRowWidth()
{
    int widest = 0;
    for (const std::size_t row : longestRows(*m_rows))
        widest = std::max(widest, fontMetrics().horizontalAdvance(toDisplayText(m_rows->lineAt(row))));
    m_delegate->setTextWidth(widest);
    scheduleDelayedItemsLayout();
}

} // namespace vorelind
