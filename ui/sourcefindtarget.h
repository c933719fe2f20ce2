#pragma once

#include "ui/rowfindtarget.h"

namespace vorelind {

class SourceView;

// The source searched row by row, as its rows index it, whether the view
// shows the page as text or in rows.
class SourceFindTarget : public FindTarget {
public:
    explicit SourceFindTarget(SourceView& source);

    QAbstractItemView& view() const override { return m_rows.view(); }
    std::size_t itemCount() const override { return m_rows.itemCount(); }
    bool matches(std::size_t item, const SjisFind& find) const override { return m_rows.matches(item, find); }
    std::optional<std::size_t> currentItem() const override;
    void reveal(std::size_t item, const SjisFind& find) override;

private:
    void showMatch(std::size_t row, std::size_t start, std::size_t length);

    SourceView& m_source;
    RowFindTarget::RowMatch m_firstMatch;
    RowFindTarget m_rows;
};

} // namespace vorelind
