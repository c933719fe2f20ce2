#pragma once

#include "ui/findtarget.h"

#include <functional>

namespace vorelind {

// A list view searched row by row, each row matched by a function of its
// own, and its match shown by another.
class RowFindTarget : public FindTarget {
public:
    // Where the first match in the row starts, in the row's bytes; none without one.
    using RowMatch = std::function<std::optional<std::size_t>(std::size_t row, const SjisFind& find)>;
    // Shows bytes of the row, from a start, as the found text.
    using ShowMatch = std::function<void(std::size_t row, std::size_t start, std::size_t length)>;

    RowFindTarget(QAbstractItemView& view, RowMatch firstMatch, ShowMatch showMatch);

    QAbstractItemView& view() const override { return m_view; }
    std::size_t itemCount() const override;
    bool matches(std::size_t item, const SjisFind& find) const override
    {
        return m_firstMatch(item, find).has_value();
    }
    std::optional<std::size_t> currentItem() const override;
    void reveal(std::size_t item, const SjisFind& find) override;

private:
    QAbstractItemView& m_view;
    RowMatch m_firstMatch;
    ShowMatch m_showMatch;
};

} // namespace vorelind
