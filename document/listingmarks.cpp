#include "document/listingmarks.h"

#include "document/listing.h"

#include <algorithm>
#include <ranges>

namespace vorelind {

std::size_t rowAtSource(const Listing& listing, std::size_t offset)
{
    // Source positions count from 1 and grow with the rows.
    const auto rows = std::views::iota(std::size_t{0}, listing.lineCount());
    const auto later = std::ranges::partition_point(
        rows, [&](std::size_t row) { return listing.sourcePosition(row) <= offset + 1; });
    return later == rows.begin() ? 0 : static_cast<std::size_t>(later - rows.begin()) - 1;
}

ListingMarks::ListingMarks(const Listing& listing, std::string_view source, const ExcludedTags& excluded)
{
    if (listing.lineCount() == 0)
        return;
    for (const UnbalancedTag& tag : unbalancedTags(source, excluded))
        m_marks.push_back({rowAtSource(listing, tag.offset), tag});
}

std::vector<std::size_t> ListingMarks::rows() const
{
    std::vector<std::size_t> rows;
    for (const MarkedTag& mark : m_marks) {
        if (rows.empty() || rows.back() != mark.row)
            rows.push_back(mark.row);
    }
    return rows;
}

bool ListingMarks::isOnRow(std::optional<std::size_t> visited, std::optional<std::size_t> row) const
{
    return visited && row && *visited < m_marks.size() && m_marks[*visited].row == *row;
}

std::optional<std::size_t> ListingMarks::next(std::optional<std::size_t> row, std::optional<std::size_t> visited) const
{
    if (m_marks.empty())
        return std::nullopt;
    if (isOnRow(visited, row))
        return (*visited + 1) % m_marks.size();
    if (!row)
        return 0;
    const auto later = std::upper_bound(m_marks.begin(), m_marks.end(), *row,
                                        [](std::size_t at, const MarkedTag& mark) { return at < mark.row; });
    return later == m_marks.end() ? 0 : static_cast<std::size_t>(later - m_marks.begin());
}

std::optional<std::size_t> ListingMarks::previous(std::optional<std::size_t> row,
                                                  std::optional<std::size_t> visited) const
{
    if (m_marks.empty())
        return std::nullopt;
    if (isOnRow(visited, row))
        return (*visited + m_marks.size() - 1) % m_marks.size();
    if (!row)
        return m_marks.size() - 1;
    const auto atOrLater = std::lower_bound(m_marks.begin(), m_marks.end(), *row,
                                            [](const MarkedTag& mark, std::size_t at) { return mark.row < at; });
    return atOrLater == m_marks.begin() ? m_marks.size() - 1 : static_cast<std::size_t>(atOrLater - m_marks.begin()) - 1;
}

} // namespace vorelind
