#include "platform/files/xdgfolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace vorelind {

std::filesystem::path xdgFolder(const char* variable, const char* belowHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::filesystem::path(home) / belowHome;
    const passwd* user = ::getpwuid(::getuid());
    return std::filesystem::path(user ? user->pw_dir : "/") / belowHome;
}

} // namespace vorelind
