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
    void reveal(std::size_t item) override;

private:
    SourceView& m_source;
    RowFindTarget m_rows;
};

} // namespace vorelind
