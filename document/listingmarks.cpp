#include "document/listingmarks.h"

#include "document/listing.h"
#include "util/rowsearch.h"

#include <algorithm>
#include <iterator>

namespace vorelind {

namespace {

// Whether a row began at or before the source byte at an offset from 0;
// source positions count from 1 and grow with the rows.
bool beganAtOrBefore(const Listing& listing, std::size_t row, std::size_t offset)
{
    return listing.sourcePosition(row) <= offset + 1;
}

} // namespace

std::size_t rowAtSource(const Listing& listing, std::size_t offset)
{
    const std::size_t later =
        firstRejectedRow(listing.lineCount(), [&](std::size_t row) { return beganAtOrBefore(listing, row, offset); });
    return later == 0 ? 0 : later - 1;
}

ListingMarks::ListingMarks(const Listing& listing, std::vector<UnbalancedTag> tags)
{
    if (listing.lineCount() == 0)
        return;
    m_tags = std::move(tags);
    m_rows.reserve(m_tags.size());
    // The tags come in source order, so their rows are found in one pass.
    std::size_t row = 0;
    for (const UnbalancedTag& tag : m_tags) {
        while (row + 1 < listing.lineCount() && beganAtOrBefore(listing, row + 1, tag.offset))
            ++row;
        m_rows.push_back(row);
    }
}

std::vector<std::size_t> ListingMarks::rows() const
{
    std::vector<std::size_t> rows;
    std::unique_copy(m_rows.begin(), m_rows.end(), std::back_inserter(rows));
    return rows;
}

bool ListingMarks::isOnRow(std::optional<std::size_t> visited, std::optional<std::size_t> row) const
{
    return visited && row && *visited < m_rows.size() && m_rows[*visited] == *row;
}

std::size_t ListingMarks::firstFrom(std::size_t row) const
{
    return static_cast<std::size_t>(std::lower_bound(m_rows.begin(), m_rows.end(), row) - m_rows.begin());
}

std::optional<std::size_t> ListingMarks::next(std::optional<std::size_t> row, std::optional<std::size_t> visited) const
{
    if (m_rows.empty())
        return std::nullopt;
    if (isOnRow(visited, row))
        return (*visited + 1) % m_rows.size();
    if (!row)
        return 0;
    const auto later = std::upper_bound(m_rows.begin(), m_rows.end(), *row);
    return later == m_rows.end() ? 0 : static_cast<std::size_t>(later - m_rows.begin());
}

std::optional<std::size_t> ListingMarks::previous(std::optional<std::size_t> row,
                                                  std::optional<std::size_t> visited) const
{
    if (m_rows.empty())
        return std::nullopt;
    if (isOnRow(visited, row))
        return (*visited + m_rows.size() - 1) % m_rows.size();
    if (!row)
        return m_rows.size() - 1;
    const auto atOrLater = std::lower_bound(m_rows.begin(), m_rows.end(), *row);
    return atOrLater == m_rows.begin() ? m_rows.size() - 1 : static_cast<std::size_t>(atOrLater - m_rows.begin()) - 1;
}

} // namespace vorelind
