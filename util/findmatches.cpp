#include "util/findmatches.h"

#include <algorithm>

namespace vorelind {

FindMatches::FindMatches(std::size_t itemCount, const std::function<bool(std::size_t)>& matches)
{
    for (std::size_t item = 0; item < itemCount; ++item) {
        if (matches(item))
            m_items.push_back(item);
    }
}

std::optional<std::size_t> FindMatches::atOrAfter(std::size_t item) const
{
    return firstFrom(std::lower_bound(m_items.begin(), m_items.end(), item));
}

std::optional<std::size_t> FindMatches::after(std::size_t item) const
{
    return firstFrom(std::upper_bound(m_items.begin(), m_items.end(), item));
}

std::optional<std::size_t> FindMatches::before(std::size_t item) const
{
    if (m_items.empty())
        return std::nullopt;
    const auto found = std::lower_bound(m_items.begin(), m_items.end(), item);
    return found == m_items.begin() ? m_items.back() : *(found - 1);
}

std::size_t FindMatches::ordinal(std::size_t match) const
{
    return static_cast<std::size_t>(std::lower_bound(m_items.begin(), m_items.end(), match) - m_items.begin()) + 1;
}

// Past the last match the search wraps round to the first.
std::optional<std::size_t> FindMatches::firstFrom(std::vector<std::size_t>::const_iterator found) const
{
    if (m_items.empty())
        return std::nullopt;
    return found == m_items.end() ? m_items.front() : *found;
}

} // namespace vorelind
