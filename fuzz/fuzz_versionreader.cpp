// The version-record reader on arbitrary executables. The first byte of the
// input says what the rest is: a whole file, or a raw record that the target
// wraps in a PE32, PE32+, 32-bit ELF or 64-bit ELF file, so that the fuzzer
// reaches the record's blocks as easily as the file headers.

#include "require.h"

#include "executablebuilder.h"
#include "platform/version/commonutil.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace vorelind;

std::string executableOf(std::string_view input)
{
    if (input.empty())
        return {};
    const std::string rest(input.substr(1));
    switch (static_cast<unsigned char>(input[0]) % 5) {
    case 1: return peWithVersionRecord(rest, false);
    case 2: return peWithVersionRecord(rest, true);
    case 3: return elfWithVersionRecord(rest, false);
    case 4: return elfWithVersionRecord(rest, true);
    default: return rest;
    }
}

// An in-memory file, named by its path under /proc.
class MemoryFile {
public:
    explicit MemoryFile(const std::string& bytes)
        : m_fd(memfd_create("executable", 0))
    {
        require(m_fd >= 0 && write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()),
                "the fuzz target can write its file");
    }
    ~MemoryFile() { close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};

// major.minor.release.build, each 0 to 65535 in decimal.
bool isDottedVersion(std::string_view text)
{
    int parts = 1;
    std::size_t digits = 0;
    for (const char byte : text) {
        if (byte == '.') {
            if (digits == 0)
                return false;
            ++parts;
            digits = 0;
        } else if (byte >= '0' && byte <= '9' && ++digits <= 5) {
            continue;
        } else {
            return false;
        }
    }
    return parts == 4 && digits > 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile file(executableOf(std::string_view(reinterpret_cast<const char*>(data), size)));
    TCommonUtil util;
    std::string texts[16];
    util.GetVersionInfo(file.path(), texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7],
                        texts[8], texts[9], texts[10], texts[11], texts[12], texts[13], texts[14], texts[15]);
    require(texts[1].empty() || isDottedVersion(texts[1]), "the version is four numbers or nothing");
    for (const std::string& text : texts)
        require(text.find('\0') == std::string::npos, "a text ends at its first NUL");

    std::string fixed[4] = {"os", "version", "flags", "type"};
    util.GetFixedVersionInfo(file.path(), fixed[0], fixed[1], fixed[2], fixed[3]);
    if (!texts[2].empty())
        require(fixed[0] == texts[0] && fixed[1] == texts[1] && fixed[2] == texts[2] && fixed[3] == texts[3],
                "both readers agree on the fixed part");
    return 0;
}
