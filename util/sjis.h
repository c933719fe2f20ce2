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
