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

// A tag that took part in the pairing: its side and the offset of its '<'.
struct CountedTag {
    TagSide side;
    std::size_t offset;
};

// Pairs the text's end tags with its start tags and returns, in source
// order, the start tags left open and the end tags that closed nothing.
// Comments, declarations, instructions, server code and the text of SCRIPT
// and STYLE hold no tags; self-closed tags, the empty elements and the
// excluded names take no part. Safe for Shift-JIS: the bytes it looks for
// are never second bytes. Given a list, it also appends every tag that took
// part, in source order.
std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded,
                                          std::vector<CountedTag>* counted = nullptr);

// The offset after the markup whose '<' is at an offset, as the pairing
// reads it: after a tag's '>', a comment's "-->", a declaration's '>', or
// just the '<' when it is text; the text's size when the text ends first.
std::size_t markupEnd(std::string_view text, std::size_t offset);

// The offset after the tag name that starts at an offset: the run of ASCII
// letters, digits, '-', '_', ':' and '.'.
std::size_t tagNameEnd(std::string_view text, std::size_t start);

// Whether an upper-cased name is one of the empty elements, which take no part.
bool isEmptyElement(std::string_view upperName);

} // namespace vorelind
