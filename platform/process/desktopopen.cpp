#include "platform/process/desktopopen.h"

#include "platform/process/widetext.h"

#include <windows.h>
#include <shellapi.h>

namespace vorelind {

void openWithAssociatedProgram(const std::string& target)
{
    const std::wstring path = wideText(target);
    ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace vorelind
