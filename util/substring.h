#pragma once

#include <string_view>

namespace vorelind {

// Returns at most count bytes of text from the 1-based position start on,
// never past the end; empty when start lies beyond the text or count <= 0.
std::string_view substring(std::string_view text, long long start, long long count);

} // namespace vorelind
