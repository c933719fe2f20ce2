#include "platform/lockedfile.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorelind {

#ifdef _WIN32

// The share mode does the locking: a reader lets others read only, a writer
// lets nobody in but a rename or removal of the file.
LockedFile::LockedFile(const std::filesystem::path& path, Mode mode)
{
    const bool reads = mode == Mode::Read || mode == Mode::Update || mode == Mode::Claim;
    const DWORD access = reads ? GENERIC_READ : GENERIC_WRITE;
    const DWORD share = mode == Mode::Read ? FILE_SHARE_READ : FILE_SHARE_DELETE;
    const DWORD disposition = reads ? OPEN_EXISTING : mode == Mode::Write ? OPEN_ALWAYS : CREATE_NEW;
    m_handle = CreateFileW(path.c_str(), access, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

LockedFile::~LockedFile()
{
    if (isOpen())
        CloseHandle(m_handle);
}

bool LockedFile::isOpen() const
{
    return m_handle != INVALID_HANDLE_VALUE;
}

bool LockedFile::readAll(std::string& bytes)
{
    bytes.clear();
    char chunk[1 << 16];
    DWORD count = 0;
    while (ReadFile(m_handle, chunk, sizeof chunk, &count, nullptr)) {
        if (count == 0)
            return true;
        bytes.append(chunk, count);
    }
    return false;
}

bool LockedFile::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!WriteFile(m_handle, bytes.data(), count, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool LockedFile::sync()
{
    return FlushFileBuffers(m_handle) != 0;
}

#else

LockedFile::LockedFile(const std::filesystem::path& path, Mode mode)
{
    int flags = O_CLOEXEC;
    if (mode == Mode::Read || mode == Mode::Update)
        flags |= O_RDONLY;
    else if (mode == Mode::Claim)
        flags |= O_RDONLY | O_NOFOLLOW | O_NONBLOCK;
    else
        flags |= O_WRONLY | O_CREAT | (mode == Mode::CreateNew ? O_EXCL : 0);
    m_descriptor = ::open(path.c_str(), flags, 0644);
    if (m_descriptor < 0)
        return;
    // flock also locks a folder, which is opened read-only.
    const int lock = mode == Mode::Read ? LOCK_SH : mode == Mode::Claim ? LOCK_EX | LOCK_NB : LOCK_EX;
    int result;
    while ((result = ::flock(m_descriptor, lock)) < 0 && errno == EINTR) {
    }
    // A new file that another writer took for a dead one's and removed
    // before the lock was taken is no longer of any use.
    struct stat info;
    const bool removed = mode == Mode::CreateNew && (::fstat(m_descriptor, &info) != 0 || info.st_nlink == 0);
    if (result < 0 || removed) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

LockedFile::~LockedFile()
{
    if (isOpen())
        ::close(m_descriptor); // closing releases the lock
}

bool LockedFile::isOpen() const
{
    return m_descriptor >= 0;
}

bool LockedFile::readAll(std::string& bytes)
{
    bytes.clear();
    char chunk[1 << 16];
    for (;;) {
        const ssize_t count = ::read(m_descriptor, chunk, sizeof chunk);
        if (count == 0)
            return true;
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            bytes.append(chunk, static_cast<std::size_t>(count));
    }
}

bool LockedFile::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return false;
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool LockedFile::sync()
{
    return ::fsync(m_descriptor) == 0;
}

#endif

} // namespace vorelind
