#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorelind {

// The eight bytes of the text at an offset, as one word; eight must remain.
inline std::uint64_t wordAt(std::string_view text, std::size_t offset)
{
    std::uint64_t eight = 0;
    std::memcpy(&eight, text.data() + offset, sizeof eight);
    return eight;
}

// The offset of the first byte, in memory order, that is not zero in a word
// read from memory: on a little-endian machine the word's lowest.
inline std::size_t firstNonZeroByte(std::uint64_t word)
{
    const int bits = std::endian::native == std::endian::little ? std::countr_zero(word) : std::countl_zero(word);
    return static_cast<std::size_t>(bits / 8);
}

// The offset of the first byte above 32, the blank, counted unsigned: every
// byte from 128 up counts, so a double-byte character is never taken for a
// blank. std::string_view::npos when there is none.
inline std::size_t offsetAboveBlank(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) > 32)
            return at;
    }
    return std::string_view::npos;
}

// The number of blanks (byte 32) that lead the text. The lines of a deeply
// nested listing lead with hundreds of blanks, so they are compared eight
// bytes to a word, four words at a time while they last, and the first
// word that differs tells by its lowest differing byte where they end.
inline std::size_t leadingBlankCount(std::string_view text)
{
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    // The bits of the eight bytes at the offset that differ from blanks.
    const auto differences = [text](std::size_t offset) { return wordAt(text, offset) ^ kEightBlanks; };
    std::size_t count = 0;
    // Short runs, the most common, are told by their first word alone.
    if (text.size() >= 8) {
        if (const std::uint64_t differing = differences(0); differing != 0)
            return firstNonZeroByte(differing);
        count = 8;
    }
    while (count + 32 <= text.size()
           && (differences(count) | differences(count + 8) | differences(count + 16) | differences(count + 24)) == 0)
        count += 32;
    for (; count + 8 <= text.size(); count += 8) {
        if (const std::uint64_t differing = differences(count); differing != 0)
            return count + firstNonZeroByte(differing);
    }
    while (count < text.size() && text[count] == ' ')
        ++count;
    return count;
}

} // namespace vorelind
