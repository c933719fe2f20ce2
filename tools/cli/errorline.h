#pragma once

#include <string_view>

namespace vorelind {

// Writes "vorelind-cli: ", the UTF-8 text and a line feed to standard error.
// The streams of <iostream> are not used: setting them up at start touches
// some 2 MB of the C++ library, more than a small page costs.
void writeErrorLine(std::string_view utf8);

} // namespace vorelind
