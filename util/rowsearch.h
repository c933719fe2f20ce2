#pragma once

#include <cstddef>

namespace vorelind {

// The first of the rows 0 .. count-1 that the predicate rejects, where it
// accepts a leading run of rows and rejects the rest; count when it
// rejects none. A binary search over row numbers, for lists that are read
// through accessors rather than held as a range.
template <typename Predicate>
std::size_t firstRejectedRow(std::size_t count, Predicate accepts)
{
    std::size_t first = 0;
    while (count > 0) {
        const std::size_t half = count / 2;
        if (accepts(first + half)) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return first;
}

} // namespace vorelind
