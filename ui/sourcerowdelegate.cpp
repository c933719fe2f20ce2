#include "ui/sourcerowdelegate.h"

#include "platform/codecs/displaytext.h"
#include "util/sjis.h"

#include <QStyle>
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
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const std::string_view row = m_rowBytes(index.row());
    paintTextPart(*painter, item,
                  {toShownText(row.substr(0, part->first)), toShownText(row.substr(part->first, part->second))});
}

// The style lays the text into its own rectangle, a margin in from the row's.
int SourceRowDelegate::textLeft(const QStyleOptionViewItem& option, const QModelIndex& index, std::size_t byte) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString before = toShownText(m_rowBytes(index.row()).substr(0, byte));
    return textStart(item) - option.rect.left() + option.fontMetrics.horizontalAdvance(before);
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
