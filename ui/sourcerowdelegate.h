#pragma once

#include "ui/rowwidthdelegate.h"

#include <functional>
#include <optional>
#include <string_view>
#include <utility>

namespace vorelind {

// Paints the rows of the source view and, over them, the part of a row that
// lies in the selected bytes, so that a selection may start and end inside
// a row.
class SourceRowDelegate : public RowWidthDelegate {
public:
    // A row's bytes, and where in them the selection lies (first byte, count).
    using RowBytes = std::function<std::string_view(int row)>;
    using SelectedPart = std::function<std::optional<std::pair<std::size_t, std::size_t>>(int row)>;

    SourceRowDelegate(RowBytes rowBytes, SelectedPart selectedPart, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The distance from a row's left edge to the text at a byte of it.
    int textLeft(const QStyleOptionViewItem& option, const QModelIndex& index, std::size_t byte) const;
    // The first byte of the row's character under a distance from its left edge.
    std::size_t byteAt(const QStyleOptionViewItem& option, const QModelIndex& index, int x) const;

private:
    RowBytes m_rowBytes;
    SelectedPart m_selectedPart;
};

} // namespace vorelind
