#pragma once

#include "document/tagbalance.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vorelind {

// A tag that took part in a pairing: its '<', its name's length (a name is
// part of a source, and sources are refused above 256 MiB), and whether it
// is a finding: a start tag left open, an end tag that closed nothing.
struct FoundTag {
    std::size_t offset;
    std::uint32_t nameLength;
    bool unbalanced;
};

// Hands a sink the unbalanced start tags and the stray end tags (every one
// a finding), both kept in source order, merged in source order: a sort of what the pairing
// leaves behind cost a quarter of the time on pages of many unclosed tags.
void mergeFindings(std::string_view text, const std::vector<FoundTag>& starts, const std::vector<FoundTag>& strays,
                   UnbalancedTagSink& sink);

} // namespace vorelind
