#include "versionblock.h"

#include "platform/codecs/textdecoder.h"
#include "util/versiontexts.h"

#include <stdexcept>

namespace vorelind {

namespace {

void appendWord(std::string& bytes, std::uint32_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void padTo32Bits(std::string& bytes)
{
    while (bytes.size() % 4 != 0)
        bytes += '\0';
}

// The UTF-16 little-endian bytes of a UTF-8 text.
std::string utf16Bytes(std::string_view utf8)
{
    std::u16string units;
    TextDecoder("UTF-8").decode(utf8, units, true);
    std::string bytes;
    for (const char16_t unit : units)
        appendWord(bytes, unit, 2);
    return bytes;
}

void putWordAt(std::string& bytes, std::size_t at, std::size_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void appendBlock(std::string& bytes, const VersionBlock& block)
{
    const std::size_t start = bytes.size();
    appendWord(bytes, 0, 2); // the length, known at the end
    appendWord(bytes, static_cast<std::uint32_t>(block.isText ? block.value.size() / 2 : block.value.size()), 2);
    appendWord(bytes, block.isText ? 1 : 0, 2);
    bytes += utf16Bytes(block.key);
    appendWord(bytes, 0, 2);
    padTo32Bits(bytes);
    bytes += block.value;
    for (const VersionBlock& child : block.children) {
        padTo32Bits(bytes);
        appendBlock(bytes, child);
    }
    const std::size_t length = bytes.size() - start;
    if (length > 0xFFFF)
        throw std::length_error("a version record block is longer than 65535 bytes");
    putWordAt(bytes, start, length);
}

} // namespace

VersionBlock stringBlock(std::string_view name, std::string_view text)
{
    std::string value = utf16Bytes(text);
    value.append(2, '\0');
    return VersionBlock{std::string(name), value, true, {}};
}

std::string fixedFileInfoBytes(const FixedFileInfo& info)
{
    std::string bytes;
    for (const std::uint32_t field : {0xFEEF04BDu, 0x00010000u, info.fileVersionMs, info.fileVersionLs,
                                      info.productVersionMs, info.productVersionLs, info.fileFlagsMask,
                                      info.fileFlags, info.fileOs, info.fileType, info.fileSubtype, 0u, 0u})
        appendWord(bytes, field, 4);
    return bytes;
}

std::string translationBytes(std::uint16_t language, std::uint16_t codePage)
{
    std::string bytes;
    appendWord(bytes, language, 2);
    appendWord(bytes, codePage, 2);
    return bytes;
}

VersionBlock standardRecord(const FixedFileInfo& info, std::uint16_t language, std::uint16_t codePage,
                            const std::vector<TextValue>& texts)
{
    VersionBlock table{stringTableKey(language, codePage), {}, true, {}};
    for (const TextValue& value : texts)
        table.children.push_back(stringBlock(value.name, value.text));
    VersionBlock strings{"StringFileInfo", {}, true, {std::move(table)}};
    VersionBlock translation{"Translation", translationBytes(language, codePage), false, {}};
    VersionBlock variables{"VarFileInfo", {}, true, {std::move(translation)}};
    return VersionBlock{"VS_VERSION_INFO", fixedFileInfoBytes(info), false, {std::move(strings), std::move(variables)}};
}

std::string versionRecordBytes(const VersionBlock& root)
{
    std::string bytes;
    appendBlock(bytes, root);
    return bytes;
}

} // namespace vorelind
