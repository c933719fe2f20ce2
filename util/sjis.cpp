#include "util/sjis.h"

namespace vorelind {

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& byte : upper)
        byte = upperAsciiByte(byte);
    return upper;
}

} // namespace vorelind
