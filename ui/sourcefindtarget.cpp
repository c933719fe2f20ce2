#include "ui/sourcefindtarget.h"

#include "ui/sourcerowview.h"
#include "ui/sourceview.h"
#include "util/sjisfind.h"

namespace vorelind {

namespace {

// A match may run on into the row that continues a long line.
RowFindTarget::RowMatches rowMatches(const SourceRowModel& rows)
{
    return [&rows](std::size_t row, const SjisFind& find) {
        return find.isIn(rows.rowAndContinuation(row), rows.row(row).size());
    };
}

} // namespace

SourceFindTarget::SourceFindTarget(SourceView& source)
    : m_source(source)
    , m_rows(source.rowView(), rowMatches(source.rowModel()))
{
}

std::optional<std::size_t> SourceFindTarget::currentItem() const
{
    if (!m_source.showsText())
        return m_rows.currentItem();
    return m_source.rowModel().rowAt(m_source.cursorOffset());
}

// The text selects the found row's bytes, as the rows make the row current.
void SourceFindTarget::reveal(std::size_t item)
{
    if (!m_source.showsText()) {
        m_rows.reveal(item);
        return;
    }
    const SourceRowModel& rows = m_source.rowModel();
    m_source.selectBytes(rows.rowOffset(item), rows.row(item).size());
}

} // namespace vorelind
