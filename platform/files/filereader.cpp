#include "platform/files/filereader.h"

#include "util/apperror.h"
#include "util/largebuffer.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <filesystem>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vorelind {

namespace {

// A file that grew after it was opened is read on in steps of this size.
constexpr std::size_t kGrowthStep = std::size_t(1) << 16;

// The most one read call takes; Windows counts in an unsigned int.
constexpr std::size_t kLargestRead = std::size_t(1) << 30;

#ifdef _WIN32
int openForReading(const std::string& path)
{
    return _wopen(std::filesystem::path(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

// Whether an opening failed on something other than a regular file: Windows
// opens no folder.
bool failedOnOtherFile(const std::string& path, int error)
{
    std::error_code ignored;
    return error == EACCES && std::filesystem::is_directory(std::filesystem::path(path), ignored);
}

bool isRegularFile(int descriptor, std::uint64_t& size)
{
    struct _stat64 info;
    if (_fstat64(descriptor, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

// Windows opens every file for reads that wait.
void clearNonBlocking(int /*descriptor*/)
{
}

// Windows maps no files here.
bool endsAt(int /*descriptor*/, std::uint64_t /*size*/)
{
    return false;
}

long readDescriptor(int descriptor, char* data, std::size_t count)
{
    return _read(descriptor, data, static_cast<unsigned>(count));
}

void closeDescriptor(int descriptor)
{
    _close(descriptor);
}
#else
int openForReading(const std::string& path)
{
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

// Whether an opening failed on something other than a regular file: a
// socket, or a device without its driver, cannot be opened at all.
bool failedOnOtherFile(const std::string& /*path*/, int error)
{
    return error == ENXIO || error == ENODEV;
}

bool isRegularFile(int descriptor, std::uint64_t& size)
{
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

// A regular file is read as any other: a file system that heeds O_NONBLOCK
// on one would otherwise end a read early.
void clearNonBlocking(int descriptor)
{
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
}

// Whether no byte lies at an offset of the file, without moving where reading goes on.
bool endsAt(int descriptor, std::uint64_t size)
{
    char byte;
    return ::pread(descriptor, &byte, 1, static_cast<off_t>(size)) == 0;
}

long readDescriptor(int descriptor, char* data, std::size_t count)
{
    return static_cast<long>(::read(descriptor, data, count));
}

void closeDescriptor(int descriptor)
{
    ::close(descriptor);
}
#endif

} // namespace

FileReader::FileReader(const std::string& path)
    : m_descriptor(openForReading(path))
{
    if (m_descriptor < 0) {
        m_openError = errno;
        m_kind = failedOnOtherFile(path, m_openError) ? Kind::Other : Kind::Unopened;
        return;
    }
    m_kind = isRegularFile(m_descriptor, m_size) ? Kind::Regular : Kind::Other;
    if (m_kind == Kind::Regular)
        clearNonBlocking(m_descriptor);
}

FileReader::~FileReader()
{
    if (m_descriptor >= 0)
        closeDescriptor(m_descriptor);
}

std::size_t FileReader::readSome(char* data, std::size_t count)
{
    for (;;) {
        const long result = readDescriptor(m_descriptor, data, std::min(count, kLargestRead));
        if (result >= 0)
            return static_cast<std::size_t>(result);
        if (errno != EINTR)
            throw systemError();
    }
}

void FileReader::readOn(std::string& bytes, std::size_t limit)
{
    // The whole file as its size said, and one byte more to see whether it
    // has grown since; a file that grew is read on in steps.
    const std::uint64_t whole = m_size < std::numeric_limits<std::uint64_t>::max() ? m_size + 1 : m_size;
    std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(limit, whole));
    std::size_t end = bytes.size();
    while (end < limit) {
        if (end >= wanted)
            wanted = std::min(limit, end + std::min(kGrowthStep, limit - end));
        if (bytes.capacity() < wanted)
            reserveLarge(bytes, wanted);
        bytes.resize(wanted);
        const std::size_t count = readSome(bytes.data() + end, wanted - end);
        end += count;
        if (count == 0)
            break;
    }
    bytes.resize(end);
}

MappedFile FileReader::mapWhole() const
{
    if (m_kind != Kind::Regular || m_size > std::numeric_limits<std::size_t>::max() || !endsAt(m_descriptor, m_size))
        return {};
    return MappedFile(m_descriptor, static_cast<std::size_t>(m_size));
}

} // namespace vorelind
