#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// A place in a text: its line and its byte column in that line, both from 1.
struct LineColumn {
    std::size_t line;
    std::size_t column;

    bool operator==(const LineColumn&) const = default;
};

// The lines of a loaded text, which end at CR LF pairs only: loading makes
// every line break CR LF, and a lone CR or LF it keeps is the second byte
// of a double-byte character.
class LineIndex {
public:
    explicit LineIndex(std::string_view text);

    // The line and column of the byte at an offset from 0.
    LineColumn at(std::size_t offset) const;
    // The line and the column in characters, as an editor counts them, of
    // the byte at an offset in the indexed Shift-JIS text: a double-byte
    // character counts one, as does a half-width katakana.
    LineColumn characterAt(std::string_view text, std::size_t offset) const;
    std::size_t lineCount() const { return m_lineStarts.size(); }
    // The offset of the first byte of a line, counted from 1.
    std::size_t lineStart(std::size_t line) const { return m_lineStarts[line - 1]; }

private:
    std::vector<std::size_t> m_lineStarts; // the offset of each line's first byte
};

// The number of lines of a text, as a LineIndex of it counts them.
std::size_t lineCountOf(std::string_view text);

// "LINE:COL".
std::string lineColumnText(LineColumn place);

} // namespace vorelind
