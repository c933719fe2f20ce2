#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// Returns the part of a Shift-JIS path after its last '\', ':' or '/',
// skipping the second bytes of Shift-JIS characters.
std::string fileNameOf(std::string_view path);

} // namespace vorelind
