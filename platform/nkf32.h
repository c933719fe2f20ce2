#pragma once

#include <string>
#include <string_view>

// The kanji-conversion library's three calls, written on ICU, on Windows on
// the system's code pages.

namespace vorelind {

// Sets the conversion's options; returns 0 when they are accepted. The layer
// writes Shift-JIS only, so "-s" is the one option it knows.
int SetNkfOption(const char* options);

// Returns the text converted to Shift-JIS (code page 932). Recognises
// Shift-JIS, EUC-JP, ISO-2022-JP, UTF-8 and UTF-16 with a byte order mark;
// ASCII, Shift-JIS and text it cannot read come back byte for byte. The byte
// order mark is dropped, line breaks are kept, and a character with no code
// page 932 form becomes "〓". The result is as long as it needs to be.
std::string NkfConvert(std::string_view text);

inline constexpr std::size_t kNkfVersionBufferSize = 101;

// Writes the layer's version and what it runs on (the ICU version), NUL-terminated
// and at most 100 bytes long, into the caller's 101-byte area.
void GetNkfVersion(char (&buffer)[kNkfVersionBufferSize]);

} // namespace vorelind
