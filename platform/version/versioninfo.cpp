#include "platform/version/versioninfo.h"

#ifdef _WIN32

#include <windows.h>

namespace vorelind {

std::uint32_t fileVersionInfoSize(const std::string& fileName)
{
    DWORD ignored = 0;
    return GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
}

bool fileVersionInfo(const std::string& fileName, std::uint32_t size, void* data)
{
    return GetFileVersionInfoA(fileName.c_str(), 0, size, data) != 0;
}

bool verQueryValue(void* block, const std::string& subBlock, void*& value, std::uint32_t& length)
{
    UINT valueLength = 0;
    const BOOL found = VerQueryValueA(block, subBlock.c_str(), &value, &valueLength);
    length = valueLength;
    return found != 0;
}

} // namespace vorelind

#else

#include "platform/codecs/sjistext.h"
#include "platform/version/executablerecord.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vorelind {

namespace {

// The buffer holds the record and then a spare area as long again, plus one
// byte: a text value is handed back converted to code page 932 at the same
// offset in the spare area, where it always fits, since a character takes
// at most two bytes there as in UTF-16, and its NUL one.
std::size_t bufferSizeFor(std::size_t recordLength)
{
    return 2 * recordLength + 1;
}

std::size_t aligned(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

std::uint16_t word(const unsigned char* bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// One block of the record (VS_VERSIONINFO and everything below it): length,
// value length (in characters for a text), type (1 for a text), key, value,
// children, each part starting on a 32-bit boundary.
struct Block {
    std::size_t keyStart = 0;
    std::size_t valueStart = 0;
    std::size_t valueSize = 0; // in bytes
    bool isText = false;
    std::size_t childrenStart = 0;
    std::size_t end = 0;
};

bool readBlock(const unsigned char* record, std::size_t start, std::size_t limit, Block& block)
{
    if (start + 6 > limit)
        return false;
    const std::size_t length = word(record, start);
    if (length < 6 || start + length > limit)
        return false;
    block.end = start + length;
    block.isText = word(record, start + 4) == 1;
    block.keyStart = start + 6;
    std::size_t keyEnd = block.keyStart;
    while (keyEnd + 2 <= block.end && word(record, keyEnd) != 0)
        keyEnd += 2;
    if (keyEnd + 2 > block.end)
        return false;
    block.valueStart = std::min(aligned(keyEnd + 2), block.end);
    const std::size_t declared = word(record, start + 2) * (block.isText ? 2u : 1u);
    block.valueSize = std::min(declared, block.end - block.valueStart);
    block.childrenStart = aligned(block.valueStart + block.valueSize);
    return true;
}

// Compares a block's key with a name, ASCII letters without regard to case.
bool keyIs(const unsigned char* record, const Block& block, std::string_view name)
{
    const auto folded = [](unsigned unit) { return unit >= 'a' && unit <= 'z' ? unit - 'a' + 'A' : unit; };
    std::size_t at = block.keyStart;
    for (const char byte : name) {
        const unsigned unit = word(record, at);
        if (unit == 0 || folded(unit) != folded(static_cast<unsigned char>(byte)))
            return false;
        at += 2;
    }
    return word(record, at) == 0;
}

bool findChild(const unsigned char* record, const Block& parent, std::string_view name, Block& child)
{
    std::size_t at = parent.childrenStart;
    while (readBlock(record, at, parent.end, child)) {
        if (keyIs(record, child, name))
            return true;
        at = aligned(child.end);
    }
    return false;
}

bool findBlock(const unsigned char* record, std::string_view path, Block& block)
{
    if (!readBlock(record, 0, word(record, 0), block))
        return false;
    while (!path.empty()) {
        const std::size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        Block child;
        if (!name.empty()) {
            if (!findChild(record, block, name, child))
                return false;
            block = child;
        }
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return true;
}

// Converts a text value up to its first NUL into the spare area.
char* sparedText(unsigned char* record, const Block& block, std::uint32_t& length)
{
    std::u16string units;
    for (std::size_t at = block.valueStart; at + 2 <= block.valueStart + block.valueSize; at += 2) {
        const char16_t unit = word(record, at);
        if (unit == 0)
            break;
        units += unit;
    }
    const std::string text = utf16ToSjis(units);
    char* spare = reinterpret_cast<char*>(record) + word(record, 0) + block.valueStart;
    const std::size_t room = std::min(text.size(), units.size() * 2);
    std::memcpy(spare, text.data(), room);
    spare[room] = '\0';
    length = static_cast<std::uint32_t>(room);
    return spare;
}

} // namespace

std::uint32_t fileVersionInfoSize(const std::string& fileName)
{
    const std::optional<std::string> record = versionRecordOf(fileName);
    return record ? static_cast<std::uint32_t>(bufferSizeFor(record->size())) : 0;
}

bool fileVersionInfo(const std::string& fileName, std::uint32_t size, void* data)
{
    const std::optional<std::string> record = versionRecordOf(fileName);
    if (!record || size < bufferSizeFor(record->size()))
        return false;
    std::memcpy(data, record->data(), record->size());
    std::memset(static_cast<char*>(data) + record->size(), 0, size - record->size());
    return true;
}

bool verQueryValue(void* block, const std::string& subBlock, void*& value, std::uint32_t& length)
{
    auto* record = static_cast<unsigned char*>(block);
    Block found;
    if (!findBlock(record, subBlock, found))
        return false;
    if (found.isText) {
        value = sparedText(record, found, length);
        return true;
    }
    if (found.valueSize == 0)
        return false;
    value = record + found.valueStart;
    length = static_cast<std::uint32_t>(found.valueSize);
    return true;
}

} // namespace vorelind

#endif
