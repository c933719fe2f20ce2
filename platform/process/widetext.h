#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// The UTF-8 text in UTF-16, as the Windows calls take paths and command
// lines. Bytes that are no UTF-8 become U+FFFD. Windows only.
std::wstring wideText(std::string_view utf8);

} // namespace vorelind
