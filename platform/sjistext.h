#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// Shift-JIS (code page 932) text to UTF-8, for terminals. Bytes that are not
// valid Shift-JIS become U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

// UTF-8 text to Shift-JIS; characters without a Shift-JIS form become "?".
std::string utf8ToSjis(std::string_view utf8);

} // namespace vorelind
