#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// Returns whether a byte opens a Shift-JIS double-byte character; the byte
// after it is its second byte, whatever that byte is.
constexpr bool isSjisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Returns whether the byte at an offset is the second byte of a Shift-JIS
// double-byte character, given that a character starts at offset start. A
// byte outside the lead-byte range always ends a character, so the run of
// lead-range bytes before the offset pairs up from its first byte: an odd
// run takes the byte at the offset as a second byte.
constexpr bool isSjisSecondByte(std::string_view text, std::size_t at, std::size_t start = 0)
{
    std::size_t leadRun = 0;
    while (at - leadRun > start && isSjisLeadByte(static_cast<unsigned char>(text[at - leadRun - 1])))
        ++leadRun;
    return leadRun % 2 == 1;
}

// Returns the byte upper-cased when it is ASCII a to z, else the byte itself.
constexpr char upperAsciiByte(char byte)
{
    return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// Returns the text with ASCII a to z upper-cased; every other byte is kept.
std::string upperAscii(std::string_view text);

// Returns whether two texts are equal once ASCII a to z are upper-cased.
constexpr bool equalWithoutAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAsciiByte(a[i]) != upperAsciiByte(b[i]))
            return false;
    }
    return true;
}

} // namespace vorelind
