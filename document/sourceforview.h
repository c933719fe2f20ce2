#pragma once

#include "document/sourceloader.h"

#include <string>
#include <string_view>

namespace vorelind {

// The bytes of a file's start that the text check looks at: a UTF-16 byte
// order mark and 129 UTF-16 units, which give at least 129 converted bytes.
inline constexpr std::size_t kSourceHeadLength = 2 + 2 * kTextCheckLength;

// The text check before loading, on the file's first kSourceHeadLength bytes
// (more are not looked at). With conversion on, a file that starts with a
// UTF-16 byte order mark and fails the check on its bytes (every ASCII
// character of UTF-16 holds a NUL) is judged by its converted text. Every
// other file is judged by judgeText.
TextVerdict judgeSourceHead(std::string_view head, bool convertToShiftJis);

// A file's bytes as the source view receives them. With conversion on, the
// text goes through the kanji layer (SetNkfOption("-s"), then NkfConvert);
// when the layer refuses the option, the view receives the unconverted text.
std::string sourceForView(std::string fileBytes, bool convertToShiftJis);

// The text the source view receives for a file's bytes with conversion on:
// converted when the option was accepted, then loaded (line breaks CR LF,
// ended at the first NUL). UTF-16 text, which holds NUL bytes, is converted
// whole; other text only up to its first NUL.
std::string convertedSourceText(std::string fileBytes, bool optionAccepted);

} // namespace vorelind
