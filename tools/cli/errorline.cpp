#include "errorline.h"

#include <cstdio>
#include <string>

namespace vorelind {

void writeErrorLine(std::string_view utf8)
{
    const std::string line = "vorelind-cli: " + std::string(utf8) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace vorelind
