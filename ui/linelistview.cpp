#include "ui/linelistview.h"

#include "platform/displaytext.h"

#include <QStyledItemDelegate>

#include <algorithm>

namespace vorelind {

namespace {

// How many of the longest lines (in bytes) are measured for the row width.
constexpr std::size_t kMeasuredLines = 16;

// Returns the rows of the longest lines, at most kMeasuredLines of them.
std::vector<std::size_t> longestRows(const std::vector<std::string>& lines)
{
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (rows.size() < kMeasuredLines) {
            rows.push_back(row);
            continue;
        }
        const auto shortest = std::min_element(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
            return lines[a].size() < lines[b].size();
        });
        if (lines[row].size() > lines[*shortest].size())
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
    setModel(&m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &LineListView::updateRowWidth);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &LineListView::updateRowWidth);
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
    setCurrentIndex(m_model.index(row));
}

void LineListView::updateRowWidth()
{
    int widest = 0;
    for (const std::size_t row : longestRows(m_model.lines()))
        widest = std::max(widest, fontMetrics().horizontalAdvance(toDisplayText(m_model.lines()[row])));
    m_delegate->setTextWidth(widest);
    scheduleDelayedItemsLayout();
}

} // namespace vorelind
