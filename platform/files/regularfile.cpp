#include "platform/files/regularfile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vorelind {

namespace {

namespace fs = std::filesystem;

// Links beyond this many in a row are taken for a loop, as the system does.
constexpr int kMostLinks = 40;

} // namespace

bool isLinkOrSpecialFile(const std::filesystem::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    return fs::is_symlink(status) || fs::is_fifo(status) || fs::is_block_file(status)
        || fs::is_character_file(status) || fs::is_socket(status);
}

std::FILE* openRegularFileForAppend(const std::filesystem::path& path)
{
    if (isLinkOrSpecialFile(path)) {
        errno = EPERM;
        return nullptr;
    }
#ifdef _WIN32
    return _wfopen(path.c_str(), L"ab");
#else
    // The check above can be raced: the open follows no link and does not
    // wait for a FIFO's reader, and the file it got is looked at again.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return nullptr;
    struct stat info;
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    std::FILE* file = regular && ::fcntl(descriptor, F_SETFL, O_APPEND) == 0 ? ::fdopen(descriptor, "ab") : nullptr;
    if (!file) {
        const int reason = regular ? errno : EPERM;
        ::close(descriptor);
        errno = reason;
    }
    return file;
#endif
}

std::uintmax_t sizeOfOpenFile(std::FILE* file)
{
#ifdef _WIN32
    struct _stati64 info;
    return _fstati64(_fileno(file), &info) == 0 ? static_cast<std::uintmax_t>(info.st_size) : 0;
#else
    struct stat info;
    return ::fstat(::fileno(file), &info) == 0 ? static_cast<std::uintmax_t>(info.st_size) : 0;
#endif
}

std::filesystem::path writeTarget(const std::filesystem::path& path)
{
    std::error_code error;
    fs::path target = path;
    for (int links = 0; links < kMostLinks && fs::is_symlink(fs::symlink_status(target, error)); ++links) {
        const fs::path named = fs::read_symlink(target, error);
        if (error)
            break;
        target = named.is_absolute() ? named : target.parent_path() / named;
    }
    return target;
}

} // namespace vorelind
