#pragma once

#include "platform/files/mappedfile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorelind {

// A file opened once and read from its start. What the file is and its size
// come from the opened file, never from its path again, so they hold for the
// very bytes that are read. Opening never waits: a named pipe without a
// writer opens at once, and is then told apart as no regular file.
class FileReader {
public:
    enum class Kind {
        Unopened, // nothing could be opened at the path; openError() says why
        Regular,  // a regular file, open for reading
        Other,    // a folder, a device, a pipe or a socket: never read
    };

    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    Kind kind() const { return m_kind; }
    // The errno of the failed opening of an unopened file.
    int openError() const { return m_openError; }
    // The size of a regular file when it was opened.
    std::uint64_t size() const { return m_size; }

    // Reads on from where the last read ended, appending to the bytes until
    // they hold limit bytes or the file ends. A read error raises AppError.
    void readOn(std::string& bytes, std::size_t limit);

    // Maps the whole of a regular file as its size said when it was opened,
    // for a reader that only reads it, whatever has been read of it. Nothing
    // is mapped for a file that has grown since, whose size misses bytes, or
    // where the system maps no files: it is then read on as usual.
    MappedFile mapWhole() const;

private:
    // Reads at most count bytes into data; 0 at the end of the file.
    std::size_t readSome(char* data, std::size_t count);

    int m_descriptor = -1;
    Kind m_kind = Kind::Unopened;
    int m_openError = 0;
    std::uint64_t m_size = 0;
};

} // namespace vorelind
