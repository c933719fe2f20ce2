#include "ui/sourcerowdelegate.h"

#include "platform/codecs/displaytext.h"
#include "util/sjis.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace vorelind {

SourceRowDelegate::SourceRowDelegate(RowBytes rowBytes, SelectedPart selectedPart, QObject* parent)
    : RowWidthDelegate(parent)
    , m_rowBytes(std::move(rowBytes))
    , m_selectedPart(std::move(selectedPart))
{
}

// A row that holds selected bytes is selected for assistive tools; it is
// drawn with only those bytes highlighted.
void SourceRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto part = m_selectedPart(index.row());
    if (!part) {
        RowWidthDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem unselected = option;
    unselected.state &= ~QStyle::State_Selected;
    RowWidthDelegate::paint(painter, unselected, index);
    const QString selected = toShownText(m_rowBytes(index.row()).substr(part->first, part->second));
    const int left = option.rect.left() + textLeft(option, index, part->first);
    const QRect area(left, option.rect.top(), option.fontMetrics.horizontalAdvance(selected), option.rect.height());
    painter->fillRect(area, option.palette.highlight());
    painter->setPen(option.palette.color(QPalette::HighlightedText));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, selected);
}

// The style lays the text into its own rectangle, a margin in from the row's.
int SourceRowDelegate::textLeft(const QStyleOptionViewItem& option, const QModelIndex& index, std::size_t byte) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QString before = toShownText(m_rowBytes(index.row()).substr(0, byte));
    return text.left() - option.rect.left() + margin + option.fontMetrics.horizontalAdvance(before);
}

std::size_t SourceRowDelegate::byteAt(const QStyleOptionViewItem& option, const QModelIndex& index, int x) const
{
    const std::string_view row = m_rowBytes(index.row());
    std::vector<std::size_t> characters;
    for (std::size_t byte = 0; byte < row.size(); byte += isSjisLeadByte(static_cast<unsigned char>(row[byte])) ? 2 : 1)
        characters.push_back(byte);
    // The text grows to the right character by character, so the last one
    // that starts at or left of x is found by halving.
    const auto after = std::partition_point(characters.begin(), characters.end(),
                                            [&](std::size_t byte) { return textLeft(option, index, byte) <= x; });
    return after == characters.begin() ? 0 : *(after - 1);
}

} // namespace vorelind
