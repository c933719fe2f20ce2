#include "platform/version/executablerecord.h"

#include <cstdint>
#include <fstream>
#include <string_view>

namespace vorelind {

namespace {

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;
constexpr std::uint64_t kMaxStringTable = 1 << 20;
constexpr std::size_t kMaxRecord = 0xFFFF; // its length is a 16-bit field

std::uint64_t littleEndian(std::string_view bytes, std::size_t at, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads byte ranges of a file; every range must lie wholly inside it.
class FileRanges {
public:
    explicit FileRanges(const std::string& fileName)
        : m_file(fileName, std::ios::binary)
    {
    }

    bool read(std::uint64_t offset, std::uint64_t size, std::string& bytes)
    {
        bytes.assign(size, '\0');
        m_file.clear();
        m_file.seekg(static_cast<std::streamoff>(offset));
        m_file.read(bytes.data(), static_cast<std::streamsize>(size));
        return m_file && static_cast<std::uint64_t>(m_file.gcount()) == size;
    }

    // Reads an unsigned little-endian number of 2, 4 or 8 bytes.
    bool number(std::uint64_t offset, std::size_t width, std::uint64_t& value)
    {
        std::string bytes;
        if (!read(offset, width, bytes))
            return false;
        value = littleEndian(bytes, 0, width);
        return true;
    }

private:
    std::ifstream m_file;
};

// Keeps the record's own length of the bytes found, when they hold a whole one.
std::optional<std::string> wholeRecord(std::string bytes)
{
    if (bytes.size() < 6)
        return std::nullopt;
    const auto length = static_cast<std::size_t>(littleEndian(bytes, 0, 2));
    if (length < 6 || length > bytes.size())
        return std::nullopt;
    bytes.resize(length);
    return bytes;
}

// The file offset of a PE address, through the section that holds it.
bool peFileOffset(FileRanges& file, std::uint64_t sections, std::uint64_t sectionCount, std::uint64_t address,
                  std::uint64_t& offset)
{
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        std::string header;
        if (!file.read(sections + i * 40, 40, header))
            return false;
        const std::uint64_t start = littleEndian(header, 12, 4);
        const std::uint64_t rawSize = littleEndian(header, 16, 4);
        if (address >= start && address < start + rawSize) {
            offset = littleEndian(header, 20, 4) + (address - start);
            return true;
        }
    }
    return false;
}

// Looks through one resource directory: the entry with the given id, or the
// first entry when id is null. Gives its offset and whether it is a directory.
bool resourceEntry(FileRanges& file, std::uint64_t directory, const std::uint32_t* id, std::uint64_t& target,
                   bool& isDirectory)
{
    std::string header;
    if (!file.read(directory, 16, header))
        return false;
    const std::uint64_t count = littleEndian(header, 12, 2) + littleEndian(header, 14, 2);
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string entry;
        if (!file.read(directory + 16 + i * 8, 8, entry))
            return false;
        const std::uint64_t name = littleEndian(entry, 0, 4);
        if (id && name != *id)
            continue;
        const std::uint64_t offset = littleEndian(entry, 4, 4);
        target = offset & ~std::uint64_t{kSubdirectoryFlag};
        isDirectory = (offset & kSubdirectoryFlag) != 0;
        return true;
    }
    return false;
}

// The version resource: type RT_VERSION, then the first name, then the first language.
std::optional<std::string> peRecord(FileRanges& file)
{
    std::uint64_t peHeader = 0;
    std::string signature;
    if (!file.number(0x3C, 4, peHeader) || !file.read(peHeader, 4, signature) || signature != std::string("PE\0\0", 4))
        return std::nullopt;
    std::uint64_t sectionCount = 0;
    std::uint64_t optionalSize = 0;
    std::uint64_t magic = 0;
    const std::uint64_t optionalHeader = peHeader + 24;
    if (!file.number(peHeader + 6, 2, sectionCount) || !file.number(peHeader + 20, 2, optionalSize)
        || !file.number(optionalHeader, 2, magic) || (magic != 0x10B && magic != 0x20B))
        return std::nullopt;
    const std::uint64_t directories = optionalHeader + (magic == 0x10B ? 96 : 112);
    std::uint64_t directoryCount = 0;
    std::uint64_t resourceAddress = 0;
    if (!file.number(directories - 4, 4, directoryCount) || directoryCount < 3
        || !file.number(directories + 2 * 8, 4, resourceAddress))
        return std::nullopt;
    const std::uint64_t sections = optionalHeader + optionalSize;
    std::uint64_t resources = 0;
    if (!peFileOffset(file, sections, sectionCount, resourceAddress, resources))
        return std::nullopt;

    std::uint64_t offset = 0;
    bool isDirectory = false;
    if (!resourceEntry(file, resources, &kRtVersion, offset, isDirectory) || !isDirectory)
        return std::nullopt;
    if (!resourceEntry(file, resources + offset, nullptr, offset, isDirectory) || !isDirectory)
        return std::nullopt;
    if (!resourceEntry(file, resources + offset, nullptr, offset, isDirectory) || isDirectory)
        return std::nullopt;
    std::string dataEntry;
    std::uint64_t recordOffset = 0;
    std::string record;
    if (!file.read(resources + offset, 16, dataEntry)
        || !peFileOffset(file, sections, sectionCount, littleEndian(dataEntry, 0, 4), recordOffset)
        || !file.read(recordOffset, std::min<std::uint64_t>(littleEndian(dataEntry, 4, 4), kMaxRecord), record))
        return std::nullopt;
    return wholeRecord(std::move(record));
}

// The version section, found by name through the section-name table.
std::optional<std::string> elfRecord(FileRanges& file, std::string_view identity)
{
    const bool wide = identity[4] == 2;
    if ((identity[4] != 1 && !wide) || identity[5] != 1) // 32 or 64 bits, little-endian
        return std::nullopt;
    const std::size_t word = wide ? 8 : 4;
    std::uint64_t sectionHeaders = 0;
    std::uint64_t entrySize = 0;
    std::uint64_t sectionCount = 0;
    std::uint64_t namesIndex = 0;
    const std::uint64_t counts = wide ? 0x3A : 0x2E;
    if (!file.number(wide ? 0x28 : 0x20, word, sectionHeaders) || !file.number(counts, 2, entrySize)
        || !file.number(counts + 2, 2, sectionCount) || !file.number(counts + 4, 2, namesIndex)
        || entrySize < (wide ? 0x28u : 0x18u) || namesIndex >= sectionCount)
        return std::nullopt;
    // The offset and size of a section: after name, type, flags and address.
    const auto section = [&](std::uint64_t index, std::uint64_t& name, std::uint64_t& offset, std::uint64_t& size) {
        const std::uint64_t header = sectionHeaders + index * entrySize;
        return file.number(header, 4, name) && file.number(header + 8 + 2 * word, word, offset)
            && file.number(header + 8 + 3 * word, word, size);
    };
    std::uint64_t name = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::string names;
    if (!section(namesIndex, name, offset, size) || size > kMaxStringTable || !file.read(offset, size, names))
        return std::nullopt;
    const std::string_view wanted(kVersionSectionName, sizeof kVersionSectionName);
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        std::string record;
        if (!section(i, name, offset, size))
            return std::nullopt;
        if (name >= names.size() || std::string_view(names).substr(name, wanted.size()) != wanted)
            continue;
        if (!file.read(offset, std::min<std::uint64_t>(size, kMaxRecord), record))
            return std::nullopt;
        return wholeRecord(std::move(record));
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> versionRecordOf(const std::string& fileName)
{
    FileRanges file(fileName);
    std::string identity;
    if (!file.read(0, 6, identity))
        return std::nullopt;
    if (identity.starts_with("MZ"))
        return peRecord(file);
    if (identity.starts_with("\x7f" "ELF"))
        return elfRecord(file, identity);
    return std::nullopt;
}

} // namespace vorelind
