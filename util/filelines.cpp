#include "util/filelines.h"

#include "util/sjis.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorelind {

void FileLines::readTo(std::size_t offset)
{
    if (offset < m_read) {
        m_read = 0;
        m_line = 1;
        m_lineStart = 0;
        m_afterCr = false;
    }
    std::size_t at = m_read;
#if defined(__SSE2__)
    // A page's lines run for dozens of bytes: sixteen are read at a time.
    // Findings stand a few bytes apart, so the bytes left before the offset
    // are read as a block too, the bytes past it left out, wherever sixteen
    // are there to read.
    for (; at + 16 <= offset; at += 16)
        readBlock(at, 0xFFFFu);
    if (at < offset && at + 16 <= m_text.size()) {
        readBlock(at, (1u << (offset - at)) - 1);
        at = offset;
    }
#endif
    for (; at < offset; ++at)
        readByte(at);
    m_read = offset;
}

#if defined(__SSE2__)
inline void FileLines::readBlock(std::size_t from, std::uint32_t wanted)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_text.data() + from));
    const __m128i crBytes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
    const __m128i breakBytes = _mm_or_si128(crBytes, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    const std::uint32_t breaks = static_cast<std::uint32_t>(_mm_movemask_epi8(breakBytes)) & wanted;
    const bool afterCr = m_afterCr;
    m_afterCr = false;
    if (breaks == 0)
        return;
    // Only a break right after a byte of 0x80 and up may be a second byte;
    // such a block is read byte by byte.
    const auto high = static_cast<std::uint32_t>(_mm_movemask_epi8(bytes));
    const std::uint32_t highBefore = from > 0 ? static_cast<unsigned char>(m_text[from - 1]) >> 7 : 0;
    if ((breaks & ((high << 1) | highBefore)) != 0) {
        m_afterCr = afterCr;
        readBytes(from, wanted);
        return;
    }
    // Every CR here ends a line, and takes the LF right after it along.
    const std::uint32_t crs = static_cast<std::uint32_t>(_mm_movemask_epi8(crBytes)) & wanted;
    std::uint32_t lineEnds = breaks & ~(~crs & ((crs << 1) | (afterCr ? 1u : 0u)));
    for (; lineEnds != 0; lineEnds &= lineEnds - 1)
        ++m_line;
    m_lineStart = from + static_cast<std::size_t>(std::bit_width(breaks));
    m_afterCr = (crs & ((wanted + 1) >> 1)) != 0;
}
#endif

void FileLines::readBytes(std::size_t from, std::uint32_t wanted)
{
    for (std::size_t at = from; (wanted & 1u) != 0; ++at, wanted >>= 1)
        readByte(at);
}

void FileLines::readByte(std::size_t at)
{
    const char byte = m_text[at];
    if ((byte != '\r' && byte != '\n') || isSjisSecondByte(m_text, at)) {
        m_afterCr = false;
        return;
    }
    if (byte == '\r' || !m_afterCr)
        ++m_line;
    m_lineStart = at + 1;
    m_afterCr = byte == '\r';
}

} // namespace vorelind
