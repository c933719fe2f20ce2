#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace vorelind {

// The items of a list that match a search, in the list's order, found in
// one pass so that going from one to the next, either way and wrapping
// round, and telling a match's place among them cost no further search.
class FindMatches {
public:
    FindMatches(std::size_t itemCount, const std::function<bool(std::size_t)>& matches);

    std::size_t count() const { return m_items.size(); }
    // The first match at or after the item, else the first of all; none
    // when nothing matches.
    std::optional<std::size_t> atOrAfter(std::size_t item) const;
    // The first match after the item, else the first of all.
    std::optional<std::size_t> after(std::size_t item) const;
    // The last match before the item, else the last of all.
    std::optional<std::size_t> before(std::size_t item) const;
    // The match's place among the matches, from 1.
    std::size_t ordinal(std::size_t match) const;

private:
    std::optional<std::size_t> firstFrom(std::vector<std::size_t>::const_iterator found) const;

    std::vector<std::size_t> m_items;
};

} // namespace vorelind
