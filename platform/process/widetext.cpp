#include "platform/process/widetext.h"

#include <windows.h>

#include <climits>

namespace vorelind {

std::wstring wideText(std::string_view utf8)
{
    // The call counts in int; no path or command line comes near that size.
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(utf8.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
    return wide;
}

} // namespace vorelind
