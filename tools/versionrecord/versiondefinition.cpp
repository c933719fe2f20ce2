#include "versiondefinition.h"

#include <charconv>
#include <stdexcept>

namespace vorelind {

namespace {

std::uint32_t numberOf(std::string_view text, std::uint64_t maximum)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number, base);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || number > maximum)
        throw std::invalid_argument("not a number in range");
    return static_cast<std::uint32_t>(number);
}

// "1.2.0.49" as the two 32-bit halves of a version.
void readVersion(std::string_view text, std::uint32_t& mostSignificant, std::uint32_t& leastSignificant)
{
    std::uint32_t parts[4];
    for (std::uint32_t& part : parts) {
        const std::size_t dot = text.find('.');
        part = numberOf(text.substr(0, dot), 0xFFFF);
        text.remove_prefix(dot == std::string_view::npos ? text.size() : dot + 1);
    }
    if (!text.empty())
        throw std::invalid_argument("more than four version numbers");
    mostSignificant = parts[0] << 16 | parts[1];
    leastSignificant = parts[2] << 16 | parts[3];
}

struct Definition {
    FixedFileInfo info;
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    std::vector<TextValue> texts;
};

void readLine(std::string_view name, std::string_view value, Definition& definition)
{
    FixedFileInfo& info = definition.info;
    if (name == "FILEVERSION") {
        readVersion(value, info.fileVersionMs, info.fileVersionLs);
    } else if (name == "PRODUCTVERSION") {
        readVersion(value, info.productVersionMs, info.productVersionLs);
    } else if (name == "FILEFLAGSMASK") {
        info.fileFlagsMask = numberOf(value, 0xFFFFFFFF);
    } else if (name == "FILEFLAGS") {
        info.fileFlags = numberOf(value, 0xFFFFFFFF);
    } else if (name == "FILEOS") {
        info.fileOs = numberOf(value, 0xFFFFFFFF);
    } else if (name == "FILETYPE") {
        info.fileType = numberOf(value, 0xFFFFFFFF);
    } else if (name == "FILESUBTYPE") {
        info.fileSubtype = numberOf(value, 0xFFFFFFFF);
    } else if (name == "TRANSLATION") {
        const std::size_t comma = value.find(',');
        if (comma == std::string_view::npos)
            throw std::invalid_argument("TRANSLATION needs language,code page");
        definition.language = static_cast<std::uint16_t>(numberOf(value.substr(0, comma), 0xFFFF));
        definition.codePage = static_cast<std::uint16_t>(numberOf(value.substr(comma + 1), 0xFFFF));
    } else {
        definition.texts.push_back(TextValue{std::string(name), std::string(value)});
    }
}

} // namespace

VersionBlock versionRecordFromDefinition(std::string_view text)
{
    Definition definition;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::size_t equals = line.find('=');
        try {
            if (equals == std::string_view::npos || equals == 0)
                throw std::invalid_argument("expected NAME=value");
            readLine(line.substr(0, equals), line.substr(equals + 1), definition);
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return standardRecord(definition.info, definition.language, definition.codePage, definition.texts);
}

} // namespace vorelind
