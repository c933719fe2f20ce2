#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorelind {

// A file held open under a lock for as long as the object lives: shared while
// it is read, so that no writer changes it meanwhile, exclusive while it is
// written.
class LockedFile {
public:
    enum class Mode {
        Read,      // an existing file, shared lock
        Write,     // created when absent, exclusive lock
        CreateNew, // created only when absent, exclusive lock
        Update,    // an existing file or folder opened for reading, exclusive lock
        Claim,     // an existing file, exclusive lock only when nobody holds one
    };

    LockedFile(const std::filesystem::path& path, Mode mode);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Returns whether the file was opened and locked.
    bool isOpen() const;

    // Reads the whole file; false on a read error.
    bool readAll(std::string& bytes);

    // Writes the bytes after those written before; false on a write error.
    bool append(std::string_view bytes);

    // Waits until what was written is on the disk; false on an error.
    bool sync();

private:
#ifdef _WIN32
    void* m_handle;
#else
    int m_descriptor = -1;
#endif
};

} // namespace vorelind
