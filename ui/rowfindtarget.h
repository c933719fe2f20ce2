#pragma once

#include "ui/findtarget.h"

#include <functional>

namespace vorelind {

// A list view searched row by row, each row matched by a function of its own.
class RowFindTarget : public FindTarget {
public:
    using RowMatches = std::function<bool(std::size_t row, const SjisFind& find)>;

    RowFindTarget(QAbstractItemView& view, RowMatches matches);

    QAbstractItemView& view() const override { return m_view; }
    std::size_t itemCount() const override;
    bool matches(std::size_t item, const SjisFind& find) const override { return m_matches(item, find); }
    std::optional<std::size_t> currentItem() const override;
    void reveal(std::size_t item) override;

private:
    QAbstractItemView& m_view;
    RowMatches m_matches;
};

} // namespace vorelind
