#pragma once

#include <filesystem>
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
std::string utf8ToSjis(std::string_view utf8);

// A file-system path as UTF-8, as command lines carry it.
std::string pathUtf8(const std::filesystem::path& path);

// A file-system path as the Shift-JIS messages show it; a character with no
// Shift-JIS form shows as "〓". Only messages take this form: the files
// themselves are always named by the path as the file system gave it.
std::string pathText(const std::filesystem::path& path);

// Converts bytes in the encoding ICU knows by that name to Shift-JIS.
std::string encodingToSjis(std::string_view bytes, const char* icuName);

} // namespace vorelind
