#include "util/sjis.h"

namespace vorelind {

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& byte : upper) {
        if (byte >= 'a' && byte <= 'z')
            byte = static_cast<char>(byte - 'a' + 'A');
    }
    return upper;
}

} // namespace vorelind
