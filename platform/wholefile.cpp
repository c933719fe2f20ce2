#include "platform/wholefile.h"

#include "platform/lockedfile.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace vorelind {

bool replaceFileWhole(const std::filesystem::path& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    // A name of its own, so that copies writing at once never share one.
    fs::path temporary = path;
    temporary += '.';
    temporary += std::to_string(std::random_device()());
    bool created = false;
    bool written = false;
    {
        LockedFile file(temporary, LockedFile::Mode::CreateNew);
        created = file.isOpen();
        written = created && file.replaceContent(bytes);
    }
    if (written && fs::exists(status)) {
        fs::permissions(temporary, status.permissions(), error);
        written = !error;
    }
    if (written) {
        fs::rename(temporary, path, error);
        written = !error;
    }
    if (created && !written)
        fs::remove(temporary, error);
    return written;
}

} // namespace vorelind
