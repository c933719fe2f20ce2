#include "platform/wholefile.h"

#include "platform/lockedfile.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace vorelind {

namespace {

namespace fs = std::filesystem;

// A new file is named after the file it replaces, this mark and eight hex
// digits, a pattern that no file of the user's is likely to follow.
constexpr char kNewFileMark[] = ".vorelind-";
constexpr std::size_t kNewFileDigits = 8;

fs::path newFileName(const fs::path& path)
{
    char digits[kNewFileDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(std::random_device()()));
    fs::path name = path;
    name += kNewFileMark;
    name += digits;
    return name;
}

bool isNewFileOf(const std::string& entryName, const std::string& fileName)
{
    const std::string head = fileName + kNewFileMark;
    return entryName.size() == head.size() + kNewFileDigits && entryName.starts_with(head)
        && entryName.find_first_not_of("0123456789abcdef", head.size()) == std::string::npos;
}

// A writer holds its new file locked until the file has its final name, so
// a new file that can be locked belongs to a writer that is gone.
void removeStaleNewFiles(const fs::path& path)
{
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string fileName = path.filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (!isNewFileOf(entry->path().filename().string(), fileName))
            continue;
        const LockedFile held(entry->path(), LockedFile::Mode::Claim);
        std::error_code ignored;
        if (held.isOpen())
            fs::remove(entry->path(), ignored);
    }
}

} // namespace

bool replaceFileWhole(const std::filesystem::path& path, std::string_view bytes)
{
    return replaceFileWhole(path, [bytes](const FilePieceWriter& write) { return write(bytes); });
}

bool replaceFileWhole(const std::filesystem::path& path, const std::function<bool(const FilePieceWriter&)>& produce)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    removeStaleNewFiles(path);
    // A name of its own, so that copies writing at once never share one.
    const fs::path temporary = newFileName(path);
    LockedFile file(temporary, LockedFile::Mode::CreateNew);
    if (!file.isOpen())
        return false;
    bool written = produce([&file](std::string_view piece) { return file.append(piece); }) && file.sync();
    if (written && fs::exists(status)) {
        fs::permissions(temporary, status.permissions(), error);
        written = !error;
    }
    if (written) {
        fs::rename(temporary, path, error);
        written = !error;
    }
    if (!written)
        fs::remove(temporary, error);
    return written;
}

} // namespace vorelind
