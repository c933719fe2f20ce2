#pragma once

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

namespace vorelind {

// The rows in which a view shows a loaded source, as offsets into its
// bytes. CR LF, a lone CR and a lone LF end a line; a line longer than
// kRowBytes goes on over further rows, cut between characters, so that no
// row costs more than a bounded text layout however long the line.
class SourceRows {
public:
    static constexpr std::size_t kRowBytes = 1024;

    SourceRows() = default;
    // Indexes the text's rows, or only its first ones up to a count.
    explicit SourceRows(std::string_view text, std::size_t rowLimit = std::numeric_limits<std::size_t>::max());

    std::size_t count() const { return m_rows.size(); }
    // Whether the rows reach the end of the text, rather than the count's limit.
    bool complete() const { return m_complete; }
    // The offset in the text of a row's first byte, and the row's length.
    std::size_t offset(std::size_t row) const { return m_rows[row].offset; }
    std::size_t length(std::size_t row) const { return m_rows[row].length; }
    // The offset just past the last row.
    std::size_t endOfRows() const { return m_rows.empty() ? 0 : rowEnd(count() - 1); }
    // The row that holds the byte at an offset (the last row for the end of the text).
    std::size_t rowAt(std::size_t offset) const;
    // Whether the row after this one goes on with the same line.
    bool continued(std::size_t row) const { return row + 1 < count() && offset(row + 1) == rowEnd(row); }

private:
    struct Row {
        std::size_t offset;
        std::size_t length;
    };

    std::size_t rowEnd(std::size_t row) const { return offset(row) + length(row); }
    void indexLine(std::string_view line, std::size_t offset, std::size_t rowLimit);

    std::vector<Row> m_rows;
    bool m_complete = true;
};

} // namespace vorelind
