#pragma once

#include "document/tagbalance.h"
#include "util/largebuffer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vorelind {

// An end tag that closed nothing: the offset of its '<' and the length of
// its name. With the name's length at hand, the name is not read again from
// the text once the pairing ends, by then long out of the cache. Eight bytes,
// as a source is refused above 256 MiB and its loaded text stays far below
// 4 GiB.
struct StrayTag {
    std::uint32_t offset;
    std::uint32_t nameLength;
};

// A list of the tags found in a text, which may hold hundreds of thousands.
template <typename Tag>
using FoundTags = std::vector<Tag, LargeAllocator<Tag>>;

// Makes room for the tags found in a text: one in 32 bytes spares the pages
// of many unclosed tags the copies of growing, which touch the memory again;
// room left unused is never touched.
void reserveFoundTags(FoundTags<std::size_t>& offsets, std::string_view text);
void reserveFoundTags(FoundTags<StrayTag>& strays, std::string_view text);

// Hands a sink the unclosed start tags and the stray end tags of a pairing,
// the unclosed given by the offsets of their '<', merged in source order.
// The unclosed ones' names are read again from the text, so that a pairing
// keeps eight bytes a finding. The strays come in source order; the
// unclosed, each once, may come in any order, and are sorted here.
void mergeFindings(std::string_view text, std::vector<std::size_t>& unclosed, const FoundTags<StrayTag>& strays,
                   UnbalancedTagSink& sink);

} // namespace vorelind
