#pragma once

#include "document/walksinks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace vorelind {

// Splits the listing at its CR LF pairs; an empty piece after the last pair
// is not a line. Every line is kept whole, empty ones included.
std::vector<std::string_view> listingLines(std::string_view listing);

// A listing line in two parts: the number of blanks that lead it, and the
// bytes after them, which begin with no blank.
struct IndentedText {
    std::size_t blanks = 0;
    std::string_view text;
};

// Splits a whole line into its leading blanks and the rest.
IndentedText indentedText(std::string_view line);

// One line of a listing: where the bytes after its leading blanks lie in the
// listing's buffer, how many blanks lead it, and where in the walked source
// it began. Sources are refused above 256 MiB, whose listings keep well
// within 32 bits a field; a listing that would not is stopped as too large.
struct ListingLine {
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t blanks;
    std::uint32_t source;
};

// A listing held once: an index of its non-empty lines (split at CR LF
// pairs), which the list view, the tree and the export all read, over one
// buffer of their bytes, written by the walk piece by piece. The leading
// blanks of a line, most of a deeply nested listing, are only counted: the
// buffer keeps the last of them, where a tree node's text begins, and the
// bytes after them.
class Listing : public ListingSink {
public:
    // Makes room for the listing of a source of the given size.
    void expectSource(std::size_t sourceSize) override;
    // Appends bytes and indexes the lines they complete.
    void write(std::string_view bytes) override;
    // Queues where the next lines began in the source.
    void beginLines(const std::vector<std::size_t>& sourcePositions) override;
    // Indexes the last line, which no CR LF ends; call it once the walk is done.
    void finish();

    std::size_t lineCount() const { return m_lines.size(); }
    // The line's bytes after its leading blanks.
    std::string_view lineText(std::size_t row) const { return {m_text.get() + m_lines[row].offset, m_lines[row].length}; }
    std::size_t blanks(std::size_t row) const { return m_lines[row].blanks; }
    IndentedText indentedLine(std::size_t row) const { return {blanks(row), lineText(row)}; }
    // The line from its last leading blank on; the whole line when no blank leads it.
    std::string_view fromLastBlank(std::size_t row) const
    {
        const std::size_t kept = blanks(row) > 0 ? 1 : 0;
        return {m_text.get() + m_lines[row].offset - kept, m_lines[row].length + kept};
    }
    // The position (from 1) in the walked source of the byte that began the
    // line: the '<' of its tag, the first byte of a raw block's line, 1 for
    // the first line; 0 for a listing that was not walked.
    std::size_t sourcePosition(std::size_t row) const { return m_lines[row].source; }
    // The row of the line that holds a part of the buffer, such as a tree
    // node's text.
    std::size_t rowOf(std::string_view part) const;
    // Shows a line as a part of itself from now on: fewer of its leading
    // blanks, and a start of the bytes after them. The buffer stays as it is.
    void narrowLine(std::size_t row, const IndentedText& part);

private:
    void beginLineText();
    void makeRoom(std::size_t bytes);
    void reserve(std::size_t capacity);
    void endLine();
    std::size_t takeLineSource();

    // Grown with realloc, which can move a large block's pages rather than
    // copy its bytes, so the listing never stands twice in memory.
    std::unique_ptr<char, decltype(&std::free)> m_text{nullptr, &std::free};
    std::size_t m_expectedSize = 0;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    // The line being written: its blanks while they are counted, then where
    // its bytes after them start.
    bool m_countingBlanks = true;
    std::size_t m_lineBlanks = 0;
    std::size_t m_lineStart = 0;
    std::vector<ListingLine> m_lines;
    // Where the lines not yet ended began; the first m_sourcesTaken are used.
    std::vector<std::size_t> m_lineSources;
    std::size_t m_sourcesTaken = 0;
};

} // namespace vorelind
