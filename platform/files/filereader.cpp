#include "platform/files/filereader.h"

#include "util/apperror.h"
#include "util/largebuffer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace vorelind {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

bool isSpecialFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

std::optional<std::string> tryReadFileHead(const std::string& path, std::size_t limit)
{
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::string bytes;
    // One read takes the whole file unless it grows meanwhile; then it is
    // read on in steps of the same size.
    std::size_t expected = 1 << 16;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        expected = static_cast<std::size_t>(std::max(std::ftell(file.get()), 0L)) + 1;
        std::rewind(file.get());
    }
    expected = std::min(expected, limit);
    reserveLarge(bytes, expected);
    std::size_t count = 0;
    do {
        bytes.resize(count + std::min(expected, limit - count));
        count += std::fread(bytes.data() + count, 1, bytes.size() - count, file.get());
    } while (count == bytes.size() && count < limit);
    bytes.resize(count);
    if (std::ferror(file.get()))
        throw systemError();
    return bytes;
}

} // namespace vorelind
