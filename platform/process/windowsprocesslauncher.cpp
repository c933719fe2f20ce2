// Processes through the Windows calls. CreateProcessW takes the command
// line as it stands, and the child splits it; the wait handles the thread's
// window messages, so the caller's windows stay alive and cost nothing.

#include "platform/process/processlauncher.h"

#include "platform/process/widetext.h"

#include <windows.h>

namespace vorelind {

namespace {

// How long an application that quits waits at most for a running program
// to be ready for input, which it is once it has read its input.
constexpr DWORD kInputReadWaitMs = 10000;

// Starts the command line hidden. Without an application name, Windows
// looks for the first word beside this executable first, then in the
// current folder, the system folders and the search path.
bool startProcess(const std::string& commandLine, PROCESS_INFORMATION& process)
{
    std::wstring line = wideText(commandLine);
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    // The C runtime's table of inherited files belongs to this process alone.
    startup.cbReserved2 = 0;
    startup.lpReserved2 = nullptr;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)
        != 0;
}

// Handles the window messages in the thread's queue. Returns false on
// WM_QUIT, which goes back into the queue for the caller's own loop.
bool handlePendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

// Sleeps until the process ends or a message arrives. Returns false when
// the application quits first; a failed wait ends the wait as an ended
// process does.
bool waitHandlingMessages(HANDLE process)
{
    for (;;) {
        // Messages already in the queue when the wait starts wake it too.
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1)
            return true;
        if (!handlePendingMessages())
            return false;
    }
}

} // namespace

void runAndWait(const std::string& commandLine)
{
    PROCESS_INFORMATION process{};
    if (!startProcess(commandLine, process))
        return;
    CloseHandle(process.hThread);
    // The program outlives a quitting application, once it has read its input.
    if (!waitHandlingMessages(process.hProcess))
        WaitForInputIdle(process.hProcess, kInputReadWaitMs);
    CloseHandle(process.hProcess);
}

} // namespace vorelind
