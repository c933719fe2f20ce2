#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// Shift-JIS (code page 932) text to UTF-8, for terminals. Bytes that are not
// valid Shift-JIS become U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

// UTF-8 text to Shift-JIS; characters without a Shift-JIS form become "?".
std::string utf8ToSjis(std::string_view utf8);

// UTF-16 (little-endian bytes) to Shift-JIS, as the version record's texts
// are handed back.
std::string utf16ToSjis(std::string_view utf16);

// UTF-8 text to UTF-16 little-endian bytes, as the version record stores texts.
std::string utf8ToUtf16(std::string_view utf8);

} // namespace vorelind
