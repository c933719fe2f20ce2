#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& byte : upper)
        byte = upperAsciiByte(byte);
    return upper;
}

bool equalWithoutAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return upperAsciiByte(x) == upperAsciiByte(y); });
}

} // namespace vorelind
