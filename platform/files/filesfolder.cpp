#include "platform/files/filesfolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/files/xdgfolder.h"

#include <unistd.h>
#endif

namespace vorelind {

namespace {

namespace fs = std::filesystem;

constexpr char kFolderName[] = "vorelind";
constexpr char kListFileName[] = "ignore.trm";

#ifdef _WIN32

// Windows can't say whether a folder's access rules let us write: a file
// that deletes itself on closing is the one sure test.
bool mayWriteIn(const fs::path& folder)
{
    const fs::path probe = folder / "vorelind-write-test.tmp";
    const HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(handle);
    return true;
}

fs::path dataHome()
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local && local[0] != L'\0' ? fs::path(local) : fs::path();
}

#else

// access() would answer for the real user, and root passes it even where
// the process has given up its overrides: creating a file is the sure test.
bool mayWriteIn(const fs::path& folder)
{
    std::string probe = (folder / ".vorelind-write-test-XXXXXX").string();
    const int descriptor = ::mkstemp(probe.data());
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    ::unlink(probe.c_str());
    return true;
}

fs::path dataHome()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

#endif

// The user's own folder for the files, made when missing; empty when it can't be.
fs::path userFolder()
{
    const fs::path home = dataHome();
    if (home.empty())
        return {};
    const fs::path folder = home / kFolderName;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error))
        return {};
    return folder;
}

void copyStartingList(const fs::path& programFolder, const fs::path& folder)
{
    std::error_code ignored;
    const fs::path list = folder / kListFileName;
    if (fs::exists(list, ignored) || !fs::is_regular_file(programFolder / kListFileName, ignored))
        return;
    // The copy is the user's to edit, whatever the installed file's mode.
    if (fs::copy_file(programFolder / kListFileName, list, ignored))
        fs::permissions(list, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
}

} // namespace

fs::path filesFolder(const fs::path& programFolder)
{
    if (mayWriteIn(programFolder))
        return programFolder;
    const fs::path folder = userFolder();
    if (folder.empty())
        return programFolder;
    copyStartingList(programFolder, folder);
    return folder;
}

} // namespace vorelind
