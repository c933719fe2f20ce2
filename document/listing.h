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

// One line of a listing: where its bytes lie in the listing's text, how
// many blanks lead it, and where in the walked source it began. A line holds
// at most its source's bytes and its depth's blanks, and sources are refused
// above 256 MiB, so 32 bits hold its length.
struct ListingLine {
    std::size_t offset;
    std::uint32_t length;
    std::uint32_t blanks;
    std::size_t source;
};

// A listing held once: its text in one buffer, written by the walk piece by
// piece, and an index of its non-empty lines (split at CR LF pairs), which
// the list view, the tree and the export all read.
class Listing : public ListingSink {
public:
    // Makes room for a listing of about the given size at the first write.
    explicit Listing(std::size_t expectedSize = 0);

    // Appends bytes and indexes the lines they complete.
    void write(std::string_view bytes) override;
    // Queues where the next lines began in the source.
    void beginLines(const std::vector<std::size_t>& sourcePositions) override;
    // Indexes the last line, which no CR LF ends; call it once the walk is done.
    void finish();

    std::string_view text() const { return {m_text.get(), m_size}; }
    std::size_t lineCount() const { return m_lines.size(); }
    std::string_view line(std::size_t row) const { return text().substr(m_lines[row].offset, m_lines[row].length); }
    std::size_t blanks(std::size_t row) const { return m_lines[row].blanks; }
    // The position (from 1) in the walked source of the byte that began the
    // line: the '<' of its tag, the first byte of a raw block's line, 1 for
    // the first line; 0 for a listing that was not walked.
    std::size_t sourcePosition(std::size_t row) const { return m_lines[row].source; }
    // The row of the line that holds a part of the text, such as a tree
    // node's text; the part must be a view into this listing's text.
    std::size_t rowOf(std::string_view part) const;
    // Views of every indexed line, for a reader that takes them all at once.
    std::vector<std::string_view> lines() const;
    // Shows a line as a part of itself from now on; the text stays as it is.
    void narrowLine(std::size_t row, std::string_view part);

private:
    void reserve(std::size_t capacity);
    void indexLine(std::size_t end);
    std::size_t takeLineSource();

    // Grown with realloc, which can move a large block's pages rather than
    // copy its bytes, so the listing never stands twice in memory.
    std::unique_ptr<char, decltype(&std::free)> m_text{nullptr, &std::free};
    std::size_t m_expectedSize;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::size_t m_lineStart = 0;
    std::vector<ListingLine> m_lines;
    // Where the lines not yet ended began; the first m_sourcesTaken are used.
    std::vector<std::size_t> m_lineSources;
    std::size_t m_sourcesTaken = 0;
};

// A listing of a finished text, for a listing that was not walked.
Listing listingOfText(std::string_view text);

} // namespace vorelind
