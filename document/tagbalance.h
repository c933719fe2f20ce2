#pragma once

#include "document/excludedtags.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace vorelind {

enum class TagSide { Start, End };

// A start tag that no end tag closes, or an end tag that closes nothing.
struct UnbalancedTag {
    TagSide side;
    std::size_t offset;    // of the tag's '<' in the text, from 0
    std::string_view name; // as written; points into the analysed text

    bool operator==(const UnbalancedTag&) const = default;
};

// Pairs the text's end tags with its start tags and returns, in source
// order, the start tags left open and the end tags that closed nothing.
// Comments, declarations, instructions, server code and the text of SCRIPT
// and STYLE hold no tags; self-closed tags, the empty elements and the
// excluded names take no part. Safe for Shift-JIS: the bytes it looks for
// are never second bytes.
std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded);

} // namespace vorelind
