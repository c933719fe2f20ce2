#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorelind {

// The bytes at which a scan stops: three given bytes (repeat one when fewer
// matter), and either a fourth or every control byte, below 32.
struct ScanStops {
    char first;
    char second;
    char third;
    char fourth;
    bool controls; // stop at bytes below 32 instead of at the fourth
};

namespace bytescan {

inline bool isStop(unsigned char byte, const ScanStops& stops)
{
    return byte == static_cast<unsigned char>(stops.first) || byte == static_cast<unsigned char>(stops.second)
        || byte == static_cast<unsigned char>(stops.third)
        || (stops.controls ? byte < 32 : byte == static_cast<unsigned char>(stops.fourth));
}

} // namespace bytescan

// The offset of the first stop byte from an offset on; the text's size when
// there is none. Plain text runs for hundreds of bytes between stops, so
// sixteen bytes are tested at a time where the processor has SSE2 (every
// x86-64 does), and the rest one by one.
inline std::size_t findStop(std::string_view text, std::size_t from, const ScanStops& stops)
{
    // Markup is dense with stops, often one right at the start.
    if (from < text.size() && bytescan::isStop(static_cast<unsigned char>(text[from]), stops))
        return from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(stops.first);
    const __m128i second = _mm_set1_epi8(stops.second);
    const __m128i third = _mm_set1_epi8(stops.third);
    const __m128i fourth = _mm_set1_epi8(stops.fourth);
    const __m128i highestControl = _mm_set1_epi8(31);
    for (; from + 16 <= text.size(); from += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
        // A byte is at most 31 when the unsigned minimum with 31 leaves it as it is.
        const __m128i last = stops.controls ? _mm_cmpeq_epi8(_mm_min_epu8(bytes, highestControl), bytes)
                                            : _mm_cmpeq_epi8(bytes, fourth);
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, first), _mm_cmpeq_epi8(bytes, second)),
                                          _mm_or_si128(_mm_cmpeq_epi8(bytes, third), last));
        if (const int mask = _mm_movemask_epi8(hits); mask != 0)
            return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
#endif
    while (from < text.size() && !bytescan::isStop(static_cast<unsigned char>(text[from]), stops))
        ++from;
    return from;
}

// The offset of the first of one byte from an offset on; the text's size
// when there is none. For the short lines of a listing, where a call to
// memchr costs more than the search.
inline std::size_t findByte(std::string_view text, std::size_t from, char byte)
{
#if defined(__SSE2__)
    const __m128i sought = _mm_set1_epi8(byte);
    for (; from + 16 <= text.size(); from += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
        if (const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, sought)); mask != 0)
            return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
#endif
    while (from < text.size() && text[from] != byte)
        ++from;
    return from;
}

} // namespace vorelind
