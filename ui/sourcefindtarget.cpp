#include "ui/sourcefindtarget.h"

#include "ui/sourcerowview.h"
#include "ui/sourceview.h"
#include "util/sjisfind.h"

namespace vorelind {

namespace {

// A match may run on into the row that continues a long line.
RowFindTarget::RowMatch firstMatchIn(const SourceRowModel& rows)
{
    return [&rows](std::size_t row, const SjisFind& find) {
        return find.firstIn(rows.rowAndContinuation(row), rows.row(row).size());
    };
}

} // namespace

SourceFindTarget::SourceFindTarget(SourceView& source)
    : m_source(source)
    , m_firstMatch(firstMatchIn(source.rowModel()))
    , m_rows(source.rowView(), m_firstMatch,
             [this](std::size_t row, std::size_t start, std::size_t length) { showMatch(row, start, length); })
{
}

std::optional<std::size_t> SourceFindTarget::currentItem() const
{
    if (!m_source.showsText())
        return m_rows.currentItem();
    return m_source.rowModel().rowAt(m_source.cursorOffset());
}

// The text selects the match itself; the rows make its row current too.
void SourceFindTarget::reveal(std::size_t item, const SjisFind& find)
{
    if (!m_source.showsText()) {
        m_rows.reveal(item, find);
        return;
    }
    if (const std::optional<std::size_t> start = m_firstMatch(item, find))
        showMatch(item, *start, find.length());
}

void SourceFindTarget::showMatch(std::size_t row, std::size_t start, std::size_t length)
{
    m_source.selectBytes(m_source.rowModel().rowOffset(row) + start, length);
}

} // namespace vorelind
