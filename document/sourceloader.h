#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vorelind {

// What the first bytes of a file say about it.
enum class TextVerdict {
    Text,      // a '<', CR or LF came before any byte 0 to 8
    NotText,   // a byte 0 to 8 came first, or 129 bytes decided nothing
    EndOfFile, // the file ended before the check decided
};

inline constexpr std::size_t kTextCheckLength = 129;

// Judges the first bytes of a file (at most 129 are looked at).
TextVerdict judgeText(std::string_view head);

// Loads file bytes as the source view holds them: the text ends at the first
// NUL, and a lone CR or a lone LF becomes CR LF. The byte after a Shift-JIS
// lead byte is that character's second byte, never a line break. The bytes
// become the text in place, so a page is not held twice.
std::string loadText(std::string bytes);

// Reads a whole regular file, opening it once; anything else, or a file
// that cannot be opened or read, raises AppError. A file of more than the
// limit's bytes raises std::length_error: one found so large when opened is
// never read, and one that grew past the limit is read no further.
std::string readFileBytes(const std::string& path, std::uint64_t limit = std::numeric_limits<std::uint64_t>::max());

// "「" + name + "」".
std::string documentTitle(std::string_view fileName);

// The messages of a refused file, and their captions.
std::string openFailureMessage(std::string_view fileName);
std::string notTextMessage(std::string_view fileName);

} // namespace vorelind
