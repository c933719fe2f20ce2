#pragma once

#include <cstddef>
#include <string_view>

namespace vorelind {

// The bytes of an open regular file mapped read-only, for a reader that only
// reads them: no copy of the file, and no fresh memory to fill. A file that
// shrinks while it is mapped would stop the process with SIGBUS at the first
// read past its new end; here the pages past that end read as NULs instead,
// as if the file had been read when it was shorter. Where the system maps
// no files, or the file cannot be mapped, nothing is mapped.
class MappedFile {
public:
    MappedFile() = default;
    // Maps the first size bytes of the file open at the descriptor.
    MappedFile(int descriptor, std::size_t size);
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool isMapped() const { return m_data != nullptr; }
    std::string_view bytes() const { return {m_data, m_size}; }

private:
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_guard = 0; // the guarded range it holds
};

} // namespace vorelind
