#include "document/listing.h"

#include "document/sizelimits.h"
#include "util/apperror.h"
#include "util/largebuffer.h"
#include "util/leadingblanks.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace vorelind {

namespace {

// The buffer keeps at most the source's bytes and one blank per line, and a
// line begins at a source byte; a raw block's lone LF can add more, which
// the buffer then grows for.
constexpr std::size_t kBufferBytesPerSourceByte = 2;
constexpr std::size_t kSourceBytesPerReservedLine = 16;

constexpr std::size_t kLargestIndexed = std::numeric_limits<std::uint32_t>::max();

[[noreturn]] void throwIndexOverflow()
{
    throw AppError(listingTooLargeMessage(kLargestIndexed));
}

// The index keeps 32 bits a field; only a hostile listing on a machine of
// much memory could pass them, and it is stopped as the walk's budget stops
// it. The check stays small enough to be inlined at every line.
std::uint32_t indexed(std::size_t value)
{
    if (value > kLargestIndexed)
        throwIndexOverflow();
    return static_cast<std::uint32_t>(value);
}

// Copies the text up to its first LF to out and returns the LF's offset, or
// the text's size when no LF comes. Listing lines are short and many, so a
// word of eight bytes is copied and searched at a time while eight remain:
// up to seven bytes after the LF are copied too, and out has room for the
// whole text.
std::size_t copyUpToLineFeed(std::string_view text, char* out)
{
    constexpr std::uint64_t kEightLineFeeds = 0x0A0A0A0A0A0A0A0A;
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7F;
    std::size_t offset = 0;
    for (; offset + 8 <= text.size(); offset += 8) {
        const std::uint64_t eight = wordAt(text, offset);
        std::memcpy(out + offset, &eight, sizeof eight);
        // The top bit of each byte that is an LF, and of no other byte.
        const std::uint64_t differences = eight ^ kEightLineFeeds;
        const std::uint64_t lineFeeds = ~(((differences & kLowSevenBits) + kLowSevenBits) | differences | kLowSevenBits);
        if (lineFeeds != 0)
            return offset + firstNonZeroByte(lineFeeds);
    }
    for (; offset < text.size() && text[offset] != '\n'; ++offset)
        out[offset] = text[offset];
    return offset;
}

} // namespace

std::vector<std::string_view> listingLines(std::string_view listing)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < listing.size()) {
        const std::size_t end = listing.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(listing.substr(start));
            break;
        }
        lines.push_back(listing.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

IndentedText indentedText(std::string_view line)
{
    const std::size_t blanks = leadingBlankCount(line);
    return {blanks, line.substr(blanks)};
}

// Room for the listing is only address space until the walk writes it. It
// spares nearly every listing a growth of its buffer, which would move it
// off the huge pages that make filling it quick, and its index the copies
// of growing: a line per 16 source bytes.
void Listing::expectSource(std::size_t sourceSize)
{
    m_expectedSize = kBufferBytesPerSourceByte * sourceSize;
    m_lines.reserve(sourceSize / kSourceBytesPerReservedLine);
}

// Leading blanks are counted, not kept; the rest is kept up to each CR LF
// pair, whose CR is taken back when its LF comes, in this piece or the next.
// A piece writes no more bytes than it brings but the one blank kept of
// blanks counted before it, so room is made once.
void Listing::write(std::string_view bytes)
{
    makeRoom(bytes.size() + 1);
    while (!bytes.empty()) {
        if (m_countingBlanks) {
            const std::size_t blanks = leadingBlankCount(bytes);
            m_lineBlanks += blanks;
            bytes.remove_prefix(blanks);
            if (bytes.empty())
                return;
            beginLineText();
        }
        const std::size_t lf = copyUpToLineFeed(bytes, m_text.get() + m_size);
        m_size += lf;
        if (lf == bytes.size())
            return;
        // The CR is read from the piece rather than from the buffer just
        // written, unless it came at the end of the piece before.
        const bool crBefore = lf > 0 ? bytes[lf - 1] == '\r' : m_size > m_lineStart && m_text.get()[m_size - 1] == '\r';
        if (crBefore) {
            --m_size;
            endLine();
        } else {
            m_text.get()[m_size++] = '\n';
        }
        bytes.remove_prefix(lf + 1);
    }
}

void Listing::beginLines(const std::vector<std::size_t>& sourcePositions)
{
    m_lineSources.erase(m_lineSources.begin(), m_lineSources.begin() + static_cast<std::ptrdiff_t>(m_sourcesTaken));
    m_sourcesTaken = 0;
    m_lineSources.insert(m_lineSources.end(), sourcePositions.begin(), sourcePositions.end());
}

void Listing::finish()
{
    if (m_countingBlanks && m_lineBlanks > 0) {
        makeRoom(1);
        beginLineText();
    }
    endLine();
}

std::size_t Listing::rowOf(std::string_view part) const
{
    // The last line whose kept bytes start at or before the part.
    const auto offset = static_cast<std::size_t>(part.data() - m_text.get());
    const auto next = std::upper_bound(m_lines.begin(), m_lines.end(), offset, [](std::size_t at, const ListingLine& line) {
        return at < line.offset - (line.blanks > 0 ? 1 : 0);
    });
    return static_cast<std::size_t>(next - m_lines.begin()) - 1;
}

void Listing::narrowLine(std::size_t row, const IndentedText& part)
{
    ListingLine& line = m_lines[row];
    line.offset = indexed(static_cast<std::size_t>(part.text.data() - m_text.get()));
    line.length = indexed(part.text.size());
    line.blanks = indexed(part.blanks);
}

// The last blank stays, so that a tree node's text, which starts there, is
// one piece of the buffer.
void Listing::beginLineText()
{
    m_countingBlanks = false;
    if (m_lineBlanks > 0)
        m_text.get()[m_size++] = ' ';
    m_lineStart = m_size;
}

void Listing::makeRoom(std::size_t bytes)
{
    if (m_size + bytes > m_capacity)
        reserve(std::max({m_expectedSize, 2 * m_capacity, m_size + bytes}));
}

void Listing::reserve(std::size_t capacity)
{
    void* grown = std::realloc(m_text.get(), capacity);
    if (!grown)
        throw std::bad_alloc();
    m_text.release();
    m_text.reset(static_cast<char*>(grown));
    m_capacity = capacity;
    adviseLargeBuffer(m_text.get(), m_capacity);
}

// The lines the list shows: the empty ones are left out, though each
// still takes its source position.
void Listing::endLine()
{
    const std::size_t source = takeLineSource();
    if (m_lineBlanks > 0 || m_size > m_lineStart)
        m_lines.push_back(ListingLine{indexed(m_lineStart), indexed(m_size - m_lineStart), indexed(m_lineBlanks),
                                      indexed(source)});
    m_countingBlanks = true;
    m_lineBlanks = 0;
    m_lineStart = m_size;
}

std::size_t Listing::takeLineSource()
{
    return m_sourcesTaken < m_lineSources.size() ? m_lineSources[m_sourcesTaken++] : 0;
}

} // namespace vorelind
