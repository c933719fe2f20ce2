#include "ui/rowwidthdelegate.h"

#include "platform/codecs/displaytext.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace vorelind {

namespace {

constexpr std::size_t kMeasuredRows = 16;

// The rows of the longest texts, at most kMeasuredRows of them. A new row
// takes the place of the first of the shortest kept ones when it is longer;
// that place is sought again only after a change, so each row costs one
// look at its length.
std::vector<std::size_t> longestRows(std::size_t rowCount,
                                     const std::function<IndentedText(std::size_t)>& rowBytes)
{
    std::vector<std::size_t> rows;
    std::vector<std::size_t> lengths;
    std::size_t shortest = 0;
    for (std::size_t row = 0; row < rowCount; ++row) {
        const IndentedText rowText = rowBytes(row);
        const std::size_t rowLength = rowText.blanks + rowText.text.size();
        if (rows.size() < kMeasuredRows) {
            rows.push_back(row);
            lengths.push_back(rowLength);
        } else if (rowLength > lengths[shortest]) {
            rows[shortest] = row;
            lengths[shortest] = rowLength;
        } else {
            continue;
        }
        shortest = static_cast<std::size_t>(std::min_element(lengths.begin(), lengths.end()) - lengths.begin());
    }
    return rows;
}

// What a view shows of a row; at most the cut's worth of its blanks matter.
QString shownRow(const IndentedText& row)
{
    const auto blanks = std::min(static_cast<qsizetype>(row.blanks), kShownTextLength + 1);
    return shownText(QString(blanks, QLatin1Char(' ')) + toShownText(row.text));
}

} // namespace

// The style lays the text into its own rectangle, a margin in from the item's.
int textStart(const QStyleOptionViewItem& item)
{
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    return text.left() + style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

void paintTextPart(QPainter& painter, const QStyleOptionViewItem& item, const TextPart& part)
{
    const int left = textStart(item) + item.fontMetrics.horizontalAdvance(part.before);
    const QRect area(left, item.rect.top(), item.fontMetrics.horizontalAdvance(part.part), item.rect.height());
    painter.save();
    painter.fillRect(area, item.palette.highlight());
    painter.setPen(item.palette.color(QPalette::HighlightedText));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part.part);
    painter.restore();
}

void RowWidthDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const std::optional<TextPart> part = m_markedPart ? m_markedPart(index) : std::nullopt;
    if (!part)
        return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    paintTextPart(*painter, item, *part);
}

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
                   const std::function<IndentedText(std::size_t)>& rowBytes)
{
    int widest = 0;
    for (const std::size_t row : longestRows(rowCount, rowBytes))
        widest = std::max(widest, metrics.horizontalAdvance(shownRow(rowBytes(row))));
    return widest;
}

} // namespace vorelind
