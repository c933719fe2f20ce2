#include "executablebuilder.h"

#include "platform/version/executablerecord.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kSectionAddress = 0x1000;
constexpr std::uint32_t kSectionFileOffset = 0x200;
constexpr std::uint32_t kSubdirectory = 0x80000000;

void putNumber(std::string& bytes, std::size_t at, std::uint64_t value, std::size_t width)
{
    if (bytes.size() < at + width)
        bytes.resize(at + width, '\0');
    for (std::size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A resource directory of id entries, each pointing at an offset in the section.
std::string resourceDirectory(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> entries)
{
    std::string bytes(16, '\0');
    putNumber(bytes, 14, static_cast<std::uint32_t>(entries.size()), 2);
    for (const auto& [id, target] : entries) {
        const std::size_t at = bytes.size();
        putNumber(bytes, at, id, 4);
        putNumber(bytes, at + 4, target, 4);
    }
    return bytes;
}

// The resource section: type directory (icon, version), name directory,
// language directory, data entry, record.
std::string resourceSection(const std::string& record)
{
    std::string section = resourceDirectory({{3, kSubdirectory | 0x20}, {16, kSubdirectory | 0x20}});
    section += resourceDirectory({{1, kSubdirectory | 0x38}});
    section += resourceDirectory({{0x411, 0x50}});
    const std::uint32_t recordOffset = 0x60;
    putNumber(section, 0x50, kSectionAddress + recordOffset, 4);
    putNumber(section, 0x54, static_cast<std::uint32_t>(record.size()), 4);
    section.resize(recordOffset, '\0');
    return section + record;
}

std::string peFile(const std::string& section, bool wide, bool withResources)
{
    std::string file(kSectionFileOffset, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    const std::uint32_t peHeader = 0x40;
    putNumber(file, 0x3C, peHeader, 4);
    file.replace(peHeader, 4, std::string("PE\0\0", 4));
    const std::uint32_t optionalSize = wide ? 240 : 224;
    putNumber(file, peHeader + 4, wide ? 0x8664 : 0x14C, 2);
    putNumber(file, peHeader + 6, 1, 2);
    putNumber(file, peHeader + 20, optionalSize, 2);
    putNumber(file, peHeader + 22, 0x0102, 2);

    const std::uint32_t optionalHeader = peHeader + 24;
    putNumber(file, optionalHeader, wide ? 0x20B : 0x10B, 2);
    const std::uint32_t directories = optionalHeader + (wide ? 112 : 96);
    putNumber(file, directories - 4, 16, 4);
    if (withResources) {
        putNumber(file, directories + 16, kSectionAddress, 4);
        putNumber(file, directories + 20, static_cast<std::uint32_t>(section.size()), 4);
    }

    const std::uint32_t sectionHeader = optionalHeader + optionalSize;
    file.replace(sectionHeader, 5, ".rsrc");
    putNumber(file, sectionHeader + 8, static_cast<std::uint32_t>(section.size()), 4);
    putNumber(file, sectionHeader + 12, kSectionAddress, 4);
    putNumber(file, sectionHeader + 16, static_cast<std::uint32_t>(section.size()), 4);
    putNumber(file, sectionHeader + 20, kSectionFileOffset, 4);
    putNumber(file, sectionHeader + 36, 0x40000040, 4);
    return file + section;
}

} // namespace

std::string peWithVersionRecord(const std::string& record, bool wide)
{
    return peFile(resourceSection(record), wide, true);
}

std::string peWithoutResources()
{
    return peFile(std::string(16, '\0'), false, false);
}

std::string elfWithVersionRecord(const std::string& record, bool wide)
{
    const std::string names = std::string("\0.shstrtab\0", 11) + vorelind::kVersionSectionName + '\0';
    const std::uint32_t namesOffset = 0x100;
    const std::uint32_t recordOffset = 0x140;
    const std::uint32_t headers = static_cast<std::uint32_t>((recordOffset + record.size() + 7) & ~std::size_t{7});
    const std::size_t word = wide ? 8 : 4;
    const std::uint32_t headerSize = wide ? 64 : 40;

    std::string file(namesOffset, '\0');
    file.replace(0, 4, "\x7f" "ELF");
    file[4] = wide ? 2 : 1; // class
    file[5] = 1;            // little-endian
    file[6] = 1;
    putNumber(file, 16, 2, 2); // an executable
    putNumber(file, 18, wide ? 62 : 3, 2);
    putNumber(file, 20, 1, 4);
    const std::size_t counts = wide ? 58 : 46;
    putNumber(file, wide ? 40 : 32, headers, static_cast<std::size_t>(word));
    putNumber(file, counts, headerSize, 2);
    putNumber(file, counts + 2, 3, 2);
    putNumber(file, counts + 4, 1, 2);
    file += names;
    file.resize(recordOffset, '\0');
    file += record;
    file.resize(headers + headerSize, '\0'); // section 0 stays empty

    // name, type, flags, address, offset, size
    const auto sectionHeader = [&](std::uint32_t name, std::uint32_t type, std::uint32_t offset, std::size_t size) {
        const std::size_t at = file.size();
        putNumber(file, at, name, 4);
        putNumber(file, at + 4, type, 4);
        putNumber(file, at + 8 + 2 * word, offset, word);
        putNumber(file, at + 8 + 3 * word, static_cast<std::uint32_t>(size), word);
        file.resize(at + headerSize, '\0');
    };
    sectionHeader(1, 3, namesOffset, names.size());
    sectionHeader(11, 1, recordOffset, record.size());
    return file;
}
