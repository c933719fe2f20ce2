#pragma once

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

// The outcome of checking a file on disk.
enum class TextCheck { Text, NotText, EndOfFile, CannotOpen };

// The outcome of a file check for a verdict on its first bytes.
TextCheck textCheckOf(TextVerdict verdict);

// Reads at most the first 129 bytes of the file and judges them. Anything
// but a regular file cannot be opened. A read error raises AppError.
TextCheck checkTextFile(const std::string& path);

// Loads file bytes as the source view holds them: the text ends at the first
// NUL, and a lone CR or a lone LF becomes CR LF. The byte after a Shift-JIS
// lead byte is that character's second byte, never a line break.
std::string loadText(std::string_view bytes);

// Reads a whole regular file; anything else, or a file that cannot be opened
// or read, raises AppError.
std::string readFileBytes(const std::string& path);

// Reads at most the first limit bytes of a regular file, as readFileBytes.
std::string readFileHead(const std::string& path, std::size_t limit);

// Raises AppError when the file is larger than kMaxSourceSize, or is not a
// regular file, or cannot be examined. The window calls it right after the
// text check, so that a refused file changes nothing.
void checkSourceFileSize(const std::string& path);

// Reads a source file's bytes. A file larger than kMaxSourceSize, also one
// that grew after the size check, or one that cannot be read raises AppError.
std::string readSourceBytes(const std::string& path);

// Reads a source file and loads its bytes (readSourceBytes, then loadText).
std::string loadSourceFile(const std::string& path);

// "「" + name + "」".
std::string documentTitle(std::string_view fileName);

// The messages of a refused file, and their captions.
std::string openFailureMessage(std::string_view fileName);
std::string notTextMessage(std::string_view fileName);

} // namespace vorelind
