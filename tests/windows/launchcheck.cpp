// The launch layer on the real process and shell calls:
//   launchcheck FOLDER
// runs a copy of itself as the child, under a name with a blank and
// Japanese characters, waits for it and checks what it received; starts
// programs that don't exist; quits during a wait; and opens a command file
// through the shell. FOLDER (a Windows path) takes the files. Prints one
// line per failed check and exits with 1 when any failed.
//   launchcheck --child PAUSE_MS RECORD [ARGUMENTS...]
// is the child: after PAUSE_MS it writes the arguments after RECORD to
// RECORD, one UTF-8 line each.

#include "platform/process/desktopopen.h"
#include "platform/process/processlauncher.h"
#include "platform/process/widetext.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace vorelind;

constexpr DWORD kAppearWaitMs = 10000;

std::string utf8Text(const std::wstring& wide)
{
    const int size = static_cast<int>(wide.size());
    const int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), count, nullptr, nullptr);
    return text;
}

// The arguments as the program's start-up code splits its command line.
std::vector<std::wstring> commandArguments()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments(words, words + count);
    LocalFree(words);
    return arguments;
}

std::filesystem::path nativePath(const std::string& utf8)
{
    return wideText(utf8);
}

std::string fileText(const std::string& path)
{
    std::ifstream file(nativePath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(nativePath(path), std::ios::binary);
    return static_cast<bool>(file << text << std::flush);
}

bool exists(const std::string& path)
{
    return std::filesystem::exists(nativePath(path));
}

// Whether the file is there, or comes within the time, from a program that
// runs on its own.
bool appears(const std::string& path)
{
    for (DWORD waited = 0; !exists(path) && waited < kAppearWaitMs; waited += 50)
        Sleep(50);
    return exists(path);
}

int runChild(const std::vector<std::wstring>& arguments)
{
    Sleep(static_cast<DWORD>(std::stoul(arguments[2])));
    std::string lines;
    for (std::size_t i = 4; i < arguments.size(); ++i)
        lines += utf8Text(arguments[i]) + "\n";
    return writeFile(utf8Text(arguments[3]), lines) ? 0 : 1;
}

// The timer's messages reach it only while someone handles the thread's queue.
int g_ticks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }
void CALLBACK quitOnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostQuitMessage(7);
}

// Runs the command line with a timer ticking; returns the ticks handled.
int ticksDuringRun(const std::string& commandLine, TIMERPROC onTick)
{
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, onTick);
    runAndWait(commandLine);
    KillTimer(nullptr, timer);
    return g_ticks;
}

int g_failures = 0;

void expect(bool passed, const std::string& what)
{
    if (!passed) {
        ++g_failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

struct LaunchRow {
    const char* name;
    std::string program;
    std::string arguments;
    std::string received;
};

void checkLaunches(const std::string& folder)
{
    const std::string child = folder + "子 プロセス.exe";
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::error_code copyError;
    std::filesystem::copy_file(self, nativePath(child), std::filesystem::copy_options::overwrite_existing, copyError);
    expect(!copyError, "cannot copy to " + child);
    const LaunchRow rows[] = {
        {"a path with a blank and Japanese, a quoted title", "\"" + child + "\"",
         "\"「ページ 一.htm」\" x", "「ページ 一.htm」\nx\n"},
        {"a bare name, found beside the launching program", "launchcheck", "日本語", "日本語\n"},
    };
    int number = 0;
    for (const LaunchRow& row : rows) {
        const std::string record = folder + "記録 " + std::to_string(++number) + ".txt";
        const int ticks = ticksDuringRun(row.program + " --child 300 \"" + record + "\" " + row.arguments, countTick);
        expect(exists(record), std::string(row.name) + ": the child had not ended when the wait did");
        expect(fileText(record) == row.received, std::string(row.name) + ": the child received " + fileText(record));
        expect(ticks > 0, std::string(row.name) + ": no message was handled during the wait");
    }
}

void checkMissingPrograms(const std::string& folder)
{
    for (const std::string& commandLine :
         {std::string("vorelind-no-such-program x"), "\"" + folder + "無い フォルダ\\prog.exe\" x", std::string()})
        expect(ticksDuringRun(commandLine, countTick) == 0, "the missing program of '" + commandLine + "' was waited for");
}

void checkQuitDuringWait(const std::string& folder)
{
    const std::string record = folder + "記録 quit.txt";
    ticksDuringRun("launchcheck --child 1500 \"" + record + "\" on", quitOnTick);
    MSG quit;
    const bool quitKept = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7;
    expect(!exists(record), "quitting: the wait did not end before the program did");
    expect(quitKept, "quitting: WM_QUIT did not stay queued for the caller");
    expect(appears(record), "quitting: the program did not run on to its end");
}

void checkShellOpen(const std::string& folder)
{
    const std::string marker = folder + "opened.txt";
    const std::string commandFile = folder + "開く 確認.cmd";
    expect(writeFile(commandFile, "@echo opened>\"%~dp0opened.txt\"\r\n"), "cannot write " + commandFile);
    openWithAssociatedProgram(commandFile);
    expect(appears(marker), "the shell did not run " + commandFile);
}

} // namespace

int main()
{
    const std::vector<std::wstring> arguments = commandArguments();
    if (arguments.size() >= 4 && arguments[1] == L"--child")
        return runChild(arguments);
    if (arguments.size() != 2) {
        std::fputs("usage: launchcheck FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = utf8Text(arguments[1]) + "\\";
    checkLaunches(folder);
    checkMissingPrograms(folder);
    checkQuitDuringWait(folder);
    checkShellOpen(folder);
    return g_failures == 0 ? 0 : 1;
}
