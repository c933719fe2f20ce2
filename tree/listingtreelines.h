#pragma once

#include "document/listing.h"
#include "tree/treefill.h"

namespace vorelind {

// The lines of a listing as the tree fill takes them, read from the
// listing's buffer, which must outlive the result and the tree's nodes.
inline IndentedLines treeLinesOf(const Listing& listing)
{
    return {listing.lineCount(),
            [&listing](std::size_t row) { return IndentedLine{listing.blanks(row), listing.fromLastBlank(row)}; }};
}

} // namespace vorelind
