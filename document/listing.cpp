#include "document/listing.h"

#include "util/largebuffer.h"
#include "util/leadingblanks.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vorelind {

namespace {

constexpr std::size_t kBytesPerReservedLine = 64;

std::size_t leadingBlanks(std::string_view line)
{
    return leadingBlankCount(line);
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

Listing::Listing(std::size_t expectedSize)
    : m_expectedSize(expectedSize)
{
    // Room for a line per 64 bytes is only address space until lines fill
    // it, and spares a long listing's index the copies of growing.
    m_lines.reserve(expectedSize / kBytesPerReservedLine);
}

void Listing::write(std::string_view bytes)
{
    // An empty listing has no buffer yet, and memcpy takes no null pointer.
    if (bytes.empty())
        return;
    if (m_size + bytes.size() > m_capacity)
        reserve(std::max({m_expectedSize, 2 * m_capacity, m_size + bytes.size()}));
    std::memcpy(m_text.get() + m_size, bytes.data(), bytes.size());
    const std::size_t scanFrom = m_size;
    m_size += bytes.size();
    // A CR LF pair may straddle two pieces, so the scan looks for the LF.
    for (const char* at = m_text.get() + scanFrom; at < m_text.get() + m_size;) {
        const auto* lf = static_cast<const char*>(std::memchr(at, '\n', m_text.get() + m_size - at));
        if (!lf)
            break;
        const auto end = static_cast<std::size_t>(lf - m_text.get());
        if (end > m_lineStart && m_text.get()[end - 1] == '\r') {
            indexLine(end - 1);
            m_lineStart = end + 1;
        }
        at = lf + 1;
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
    indexLine(m_size);
    m_lineStart = m_size;
}

std::vector<std::string_view> Listing::lines() const
{
    std::vector<std::string_view> views;
    views.reserve(m_lines.size());
    for (std::size_t row = 0; row < m_lines.size(); ++row)
        views.push_back(line(row));
    return views;
}

std::size_t Listing::rowOf(std::string_view part) const
{
    // The last line that starts at or before the part.
    const auto offset = static_cast<std::size_t>(part.data() - m_text.get());
    const auto next = std::upper_bound(m_lines.begin(), m_lines.end(), offset,
                                       [](std::size_t at, const ListingLine& line) { return at < line.offset; });
    return static_cast<std::size_t>(next - m_lines.begin()) - 1;
}

void Listing::narrowLine(std::size_t row, std::string_view part)
{
    const auto offset = static_cast<std::size_t>(part.data() - m_text.get());
    m_lines[row] = ListingLine{offset, static_cast<std::uint32_t>(part.size()),
                               static_cast<std::uint32_t>(leadingBlanks(part)), m_lines[row].source};
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
void Listing::indexLine(std::size_t end)
{
    const std::size_t source = takeLineSource();
    if (end == m_lineStart)
        return;
    const std::string_view line(m_text.get() + m_lineStart, end - m_lineStart);
    m_lines.push_back(ListingLine{m_lineStart, static_cast<std::uint32_t>(line.size()),
                                  static_cast<std::uint32_t>(leadingBlanks(line)), source});
}

std::size_t Listing::takeLineSource()
{
    return m_sourcesTaken < m_lineSources.size() ? m_lineSources[m_sourcesTaken++] : 0;
}

} // namespace vorelind
