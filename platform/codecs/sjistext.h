#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// The code page 932 codec of the whole program. Decoding turns bytes that
// are not valid Shift-JIS into U+FFFD; encoding turns a character with no
// Shift-JIS form into "〓".

std::u16string sjisToUtf16(std::string_view sjis);
std::string utf16ToSjis(std::u16string_view text);

// For terminals and UTF-8 files.
std::string sjisToUtf8(std::string_view sjis);

// Converts bytes in the encoding ICU knows by that name to Shift-JIS.
std::string encodingToSjis(std::string_view bytes, const char* icuName);

} // namespace vorelind
