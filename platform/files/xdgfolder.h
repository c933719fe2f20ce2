#pragma once

#include <filesystem>

namespace vorelind {

// A base folder of the XDG rules: the variable's value when it is absolute
// (a relative one is ignored, as the rules say), else the folder below the
// user's home, e.g. xdgFolder("XDG_DATA_HOME", ".local/share").
std::filesystem::path xdgFolder(const char* variable, const char* belowHome);

} // namespace vorelind
