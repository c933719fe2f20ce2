#pragma once

#include <optional>
#include <string_view>

namespace vorelind {

// The encodings the kanji layer recognises.
enum class SourceEncoding {
    Ascii,     // nothing beyond 7-bit ASCII was seen
    ShiftJis,
    EucJp,
    Iso2022Jp,
    Utf8,
    Utf16Le,
    Utf16Be,
    Unknown,   // nothing Japanese or Unicode that the layer can read
};

struct ByteOrderMark {
    SourceEncoding encoding;
    std::size_t length;
};

// Returns the byte order mark the bytes start with, if any.
std::optional<ByteOrderMark> byteOrderMarkOf(std::string_view bytes);

struct EncodingGuess {
    SourceEncoding encoding;
    std::size_t byteOrderMarkLength; // the bytes of the mark, not part of the text
    std::size_t bytesExamined;       // how far the guess read before the bytes decided
};

// Guesses the encoding of a text in this order: a byte order mark; an
// ISO-2022-JP designation before any 8-bit byte; then UTF-8, EUC-JP and
// Shift-JIS decoded side by side from the first 8-bit byte, until only one
// of them goes on without error (when the last ones fail together, none
// is taken). When more than one still decodes at the end, the charset the
// page declares decides, else UTF-8 comes first, then EUC-JP when its
// reading holds enough punctuation and kana, else Shift-JIS.
EncodingGuess guessEncoding(std::string_view bytes);

// The encoding the page's own meta or XML declaration names, if the layer
// knows it; only the first 4096 bytes are searched.
std::optional<SourceEncoding> declaredEncoding(std::string_view bytes);

// ICU's name for an encoding that needs converting; nullptr for ASCII,
// Shift-JIS and Unknown, which stay as they are.
const char* icuConverterName(SourceEncoding encoding);

} // namespace vorelind
