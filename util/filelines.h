#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorelind {

// Reads the lines of a file's bytes as loading takes them, from one offset
// on to a later one: a CR LF pair, a lone CR or a lone LF ends a line, but
// not as the second byte of a Shift-JIS character. The loaded text, whose
// line breaks are all CR LF, has the same lines, so either may be read.
class FileLines {
public:
    explicit FileLines(std::string_view text)
        : m_text(text)
    {
    }

    // Reads on to an offset at which no CR LF pair is split, such as a '<';
    // an offset before the last one reads again from the start.
    void readTo(std::size_t offset);

    // The line, from 1, of the last offset read to, and where it starts.
    std::size_t line() const { return m_line; }
    std::size_t lineStart() const { return m_lineStart; }

private:
    // Reads the wanted ones of the sixteen bytes from an offset, the first ones.
    void readBlock(std::size_t from, std::uint32_t wanted);
    // The same one byte at a time, for a block where a line break may be a second byte.
    void readBytes(std::size_t from, std::uint32_t wanted);
    void readByte(std::size_t at);

    std::string_view m_text;
    std::size_t m_read = 0; // the offset read to
    std::size_t m_line = 1;
    std::size_t m_lineStart = 0;
    bool m_afterCr = false; // the byte before m_read is a CR that ends a line
};

} // namespace vorelind
