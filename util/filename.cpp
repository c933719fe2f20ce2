#include "util/filename.h"

#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

std::string fileNameOf(std::string_view path)
{
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isSjisLeadByte(byte))
            ++i;
        else if (byte == '\\' || byte == ':' || byte == '/')
            nameStart = i + 1;
    }
    return std::string(path.substr(std::min(nameStart, path.size())));
}

} // namespace vorelind
