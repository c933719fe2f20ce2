#pragma once

#include "document/tagbalance.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace vorelind {

class Listing;

// The row of the listing line that holds a byte of the walked source: the
// last line that began at or before it; 0 when none did.
std::size_t rowAtSource(const Listing& listing, std::size_t offset);

// An unbalanced tag of the walked source and the listing row that holds it.
struct MarkedTag {
    std::size_t row;
    UnbalancedTag tag;
};

// The unbalanced tags of a walked source, each on its listing row, in
// source order (and so in row order), for the views to mark and step through.
class ListingMarks {
public:
    ListingMarks() = default;
    // The tags are the unbalanced ones of the source walked into the
    // listing, found with the list that walk used.
    ListingMarks(const Listing& listing, std::vector<UnbalancedTag> tags);

    std::size_t count() const { return m_tags.size(); }
    MarkedTag operator[](std::size_t index) const { return {m_rows[index], m_tags[index]}; }
    // The first mark on the row or a later one; count() when there is none.
    std::size_t firstFrom(std::size_t row) const;
    // The marked rows, ascending, each once.
    std::vector<std::size_t> rows() const;

    // The mark to go to from a row (none: from before the first row): the
    // one after the visited mark when that lies on the row, so that marks
    // sharing a row are each visited, else the first on a later row; after
    // the last comes the first again. No mark at all gives none.
    std::optional<std::size_t> next(std::optional<std::size_t> row, std::optional<std::size_t> visited) const;
    // The same backwards: before the first comes the last.
    std::optional<std::size_t> previous(std::optional<std::size_t> row, std::optional<std::size_t> visited) const;

private:
    bool isOnRow(std::optional<std::size_t> visited, std::optional<std::size_t> row) const;

    // Side by side rather than as MarkedTags, so that the analysis's list is
    // kept as it comes rather than copied: a page may have 100,000s of them.
    std::vector<UnbalancedTag> m_tags;
    std::vector<std::size_t> m_rows;
};

} // namespace vorelind
