#pragma once

#include "document/sourceloader.h"

#include <string>
#include <string_view>

namespace vorelind {

// The text check before loading. With conversion on, a file that starts
// with a UTF-16 byte order mark and fails the check on its bytes (every
// ASCII character of UTF-16 holds a NUL) is judged by its converted text.
// Every other file is judged as checkTextFile judges it.
TextCheck checkSourceForView(const std::string& path, bool convertToShiftJis);

// Loads a file as the source view receives it. With conversion on, the text
// goes through the kanji layer (SetNkfOption("-s"), then NkfConvert); when
// the layer refuses the option, the view receives the unconverted text. A
// file that cannot be read raises AppError.
std::string loadSourceForView(const std::string& path, bool convertToShiftJis);

// The text the source view receives for a file's bytes with conversion on:
// converted when the option was accepted, then loaded (line breaks CR LF,
// ended at the first NUL). UTF-16 text, which holds NUL bytes, is converted
// whole; other text only up to its first NUL.
std::string convertedSourceText(std::string_view fileBytes, bool optionAccepted);

} // namespace vorelind
