#pragma once

#include "document/excludedtags.h"

#include <string>
#include <string_view>

namespace vorelind {

// The tags of a loaded source that the tag balance leaves unpaired, in
// source order, one a line: "LINE:COL", TAB, "start" or "end", TAB, the
// name as written, LF.
std::string unmatchedListing(std::string_view source, const ExcludedTags& excluded);

} // namespace vorelind
