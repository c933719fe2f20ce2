#include "ui/rowwidthdelegate.h"

#include "platform/displaytext.h"

#include <algorithm>
#include <vector>

namespace vorelind {

namespace {

constexpr std::size_t kMeasuredRows = 16;

// The rows of the longest texts, at most kMeasuredRows of them.
std::vector<std::size_t> longestRows(std::size_t rowCount, const std::function<std::size_t(std::size_t)>& length)
{
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < rowCount; ++row) {
        if (rows.size() < kMeasuredRows) {
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

QSize RowWidthDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // The margin leaves room for the frame the style draws around the text.
    size.setWidth(std::max(size.width(), m_textWidth + option.fontMetrics.averageCharWidth() * 2));
    return size;
}

void RowWidthDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = shownText(option->text);
}

void setUpUniformRows(QListView& view, RowWidthDelegate& delegate)
{
    view.setItemDelegate(&delegate);
    view.setUniformItemSizes(true);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
}

int widestRowWidth(const QFontMetrics& metrics, std::size_t rowCount,
                   const std::function<std::string_view(std::size_t)>& rowBytes)
{
    int widest = 0;
    for (const std::size_t row : longestRows(rowCount, [&](std::size_t at) { return rowBytes(at).size(); }))
        widest = std::max(widest, metrics.horizontalAdvance(toShownText(rowBytes(row))));
    return widest;
}

} // namespace vorelind
