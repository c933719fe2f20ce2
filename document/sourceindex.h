#pragma once

#include <cstddef>
#include <limits>
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

// The lines and the rows of a loaded text, as offsets into its bytes, which
// the index does not hold.
//
// Lines end at CR LF pairs only: loading makes every line break CR LF, and a
// lone CR or LF it keeps is the second byte of a double-byte character.
// Every place named "LINE:COL" counts these lines.
//
// Rows are what the source view shows: CR LF, a lone CR and a lone LF end
// one, and a line longer than kRowBytes goes on over further rows, cut
// between characters, so that no row costs more than a bounded text layout
// however long the line.
//
// Both come from one pass over the text. Only the view shows rows, so the
// ones that only name places (the command-line tool among them) ask for
// linesOf a text and pay neither the rows' memory nor their cutting; a row
// is kept as its first offset alone, its length read back from the text.
class SourceIndex {
public:
    static constexpr std::size_t kRowBytes = 1024;

    // Indexes an empty text: one line and no rows.
    SourceIndex() = default;
    // Indexes the lines of a text and no rows.
    static SourceIndex linesOf(std::string_view text);
    // Indexes the lines and the rows of a text, or only its first rows up to
    // a count and the lines that they reach.
    static SourceIndex linesAndRowsOf(std::string_view text,
                                      std::size_t rowLimit = std::numeric_limits<std::size_t>::max());

    // The line and column of the byte at an offset from 0.
    LineColumn at(std::size_t offset) const;
    // The line and the column in characters, as an editor counts them, of
    // the byte at an offset in the indexed Shift-JIS text: a double-byte
    // character counts one, as does a half-width katakana.
    LineColumn characterAt(std::string_view text, std::size_t offset) const;
    std::size_t lineCount() const { return m_lineStarts.size(); }
    // The offset of the first byte of a line, counted from 1.
    std::size_t lineStart(std::size_t line) const { return m_lineStarts[line - 1]; }

    std::size_t rowCount() const { return m_rowStarts.size(); }
    // Whether the index reaches the end of the text, rather than the row limit.
    bool complete() const { return m_complete; }
    // The offset of a row's first byte.
    std::size_t rowOffset(std::size_t row) const { return m_rowStarts[row]; }
    // A row's bytes in the indexed text, without the line break that ends it.
    std::string_view row(std::string_view text, std::size_t row) const;
    // The row that holds the byte at an offset (the last row for the end of the text).
    std::size_t rowAt(std::size_t offset) const;
    // Whether the row after this one goes on with the same line of the indexed text.
    bool continued(std::string_view text, std::size_t row) const;

private:
    SourceIndex(std::string_view text, std::size_t rowLimit);

    bool indexRows(std::string_view line, std::size_t offset, std::size_t rowLimit);
    std::size_t rowEnd(std::string_view text, std::size_t row) const;

    std::vector<std::size_t> m_lineStarts{0};
    std::vector<std::size_t> m_rowStarts;
    std::size_t m_rowsEnd = 0; // where the row after the last would start
    bool m_complete = true;
};

// The number of lines of a text, as a SourceIndex of it counts them.
std::size_t lineCountOf(std::string_view text);

// "LINE:COL".
std::string lineColumnText(LineColumn place);

} // namespace vorelind
