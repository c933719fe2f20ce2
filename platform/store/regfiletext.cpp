#include "platform/store/regfiletext.h"

#include "platform/store/registry.h"
#include "util/sjis.h"

#include <algorithm>
#include <charconv>

namespace vorelind {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr char kHexDigits[] = "0123456789abcdef";

bool leadsPair(std::string_view text, std::size_t i)
{
    return isSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
}

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && sameRegName(text.substr(0, prefix.size()), prefix);
}

// The name as sameRegName compares it: ASCII letters upper-cased, the second
// byte of a Shift-JIS character kept.
std::string foldedName(std::string_view name)
{
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (leadsPair(folded, i))
            ++i;
        else
            folded[i] = upperAsciiByte(folded[i]);
    }
    return folded;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Lines end at LF; a CR before the LF belongs to the line end.
std::vector<std::string_view> physicalLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Reads a quoted text from the start of rest and moves rest past it. Only
// "\\" and "\"" are escapes; a Shift-JIS character is taken whole, so its
// second byte is never a quote or an escape.
bool readQuoted(std::string_view& rest, std::string& text)
{
    if (!rest.starts_with('"'))
        return false;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char byte = rest[i];
        if (leadsPair(rest, i)) {
            text += byte;
            text += rest[++i];
        } else if (byte == '\\') {
            if (i + 1 == rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"'))
                return false;
            text += rest[++i];
        } else if (byte == '"') {
            rest.remove_prefix(i + 1);
            return true;
        } else {
            text += byte;
        }
    }
    return false;
}

bool readHexNumber(std::string_view text, std::uint32_t& number)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number, 16);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Reads "01,a2,ff": two hex digits per byte, separated by commas.
bool readHexBytes(std::string_view list, std::string& bytes)
{
    list = trimmed(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view digits = trimmed(list.substr(0, comma));
        std::uint32_t byte = 0;
        if (digits.size() != 2 || !readHexNumber(digits, byte))
            return false;
        bytes += static_cast<char>(byte);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
        if (trimmed(list).empty())
            return false;
    }
    return true;
}

bool readValueData(std::string_view rest, RegFileValue& value)
{
    if (rest.starts_with('"')) {
        std::string text;
        if (!readQuoted(rest, text) || !trimmed(rest).empty())
            return false;
        value.type = kRegSz;
        value.data = text + '\0';
        return true;
    }
    if (startsWithFolded(rest, "dword:")) {
        const std::string_view digits = rest.substr(6);
        std::uint32_t number = 0;
        if (digits.size() > 8 || !readHexNumber(digits, number))
            return false;
        value.type = kRegDword;
        for (int shift = 0; shift < 32; shift += 8)
            value.data += static_cast<char>((number >> shift) & 0xFF);
        return true;
    }
    if (startsWithFolded(rest, "hex:")) {
        value.type = kRegBinary;
        return readHexBytes(rest.substr(4), value.data);
    }
    const std::size_t typeEnd = rest.find("):");
    if (startsWithFolded(rest, "hex(") && typeEnd != std::string_view::npos)
        return readHexNumber(rest.substr(4, typeEnd - 4), value.type) && readHexBytes(rest.substr(typeEnd + 2), value.data);
    return false;
}

// Reads "name"=data or @=data.
bool readValueLine(std::string_view line, RegFileValue& value)
{
    if (line.starts_with('@'))
        line.remove_prefix(1);
    else if (!readQuoted(line, value.name))
        return false;
    line = trimmed(line);
    if (!line.starts_with('='))
        return false;
    return readValueData(trimmed(line.substr(1)), value);
}

// Reads "[HKEY_CURRENT_USER\path]"; every key of the file lies below the
// current user's root.
bool readSectionLine(std::string_view line, std::string& path)
{
    if (line.size() < 2 || !line.ends_with(']'))
        return false;
    const std::string_view inside = line.substr(1, line.size() - 2);
    if (!startsWithFolded(inside, kRoot))
        return false;
    const std::string_view below = inside.substr(kRoot.size());
    if (!below.empty() && below[0] != '\\')
        return false;
    path = joinKeyPath({}, below);
    return true;
}

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (leadsPair(text, i)) {
            result += text[i];
            result += text[++i];
            continue;
        }
        if (text[i] == '\\' || text[i] == '"')
            result += '\\';
        result += text[i];
    }
    return result + '"';
}

// A quoted text holds no control bytes, and no lone lead byte that would
// take the closing quote as its second byte.
bool quotable(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isSjisLeadByte(static_cast<unsigned char>(text[i])) && ++i == text.size())
            return false;
        if (static_cast<unsigned char>(text[i]) < 0x20)
            return false;
    }
    return true;
}

std::string hexList(std::string_view bytes)
{
    std::string list;
    for (const char byte : bytes) {
        if (!list.empty())
            list += ',';
        list += kHexDigits[static_cast<unsigned char>(byte) >> 4];
        list += kHexDigits[static_cast<unsigned char>(byte) & 0xF];
    }
    return list;
}

std::string hexNumber(std::uint32_t number, int width)
{
    char digits[8];
    const auto result = std::to_chars(digits, digits + sizeof digits, number, 16);
    const auto length = static_cast<int>(result.ptr - digits);
    return std::string(static_cast<std::size_t>(std::max(width - length, 0)), '0') + std::string(digits, result.ptr);
}

std::string valueDataText(const RegFileValue& value)
{
    const std::string_view data = value.data;
    if (value.type == kRegSz && data.ends_with('\0') && quotable(data.substr(0, data.size() - 1)))
        return quoted(data.substr(0, data.size() - 1));
    if (value.type == kRegDword && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        return "dword:" + hexNumber(number, 8);
    }
    if (value.type == kRegBinary)
        return "hex:" + hexList(data);
    return "hex(" + hexNumber(value.type, 1) + "):" + hexList(data);
}

} // namespace

bool parseRegFileText(std::string_view text, std::vector<RegFileKey>& keys, std::size_t& badLine)
{
    keys.clear();
    RegFileIndex index(keys);
    const std::vector<std::string_view> lines = physicalLines(text);
    if (lines.empty() || trimmed(lines[0]) != kHeader) {
        badLine = 1;
        return false;
    }
    RegFileKey* current = nullptr; // the section being read
    for (std::size_t i = 1; i < lines.size(); ++i) {
        badLine = i + 1;
        const std::string_view line = trimmed(lines[i]);
        if (line.empty() || line.starts_with(';'))
            continue;
        if (line.starts_with('[')) {
            std::string path;
            if (!readSectionLine(line, path))
                return false;
            current = &index.addKey(path);
            continue;
        }
        std::string whole(line);
        while (whole.ends_with('\\') && i + 1 < lines.size()) {
            whole.pop_back();
            whole += trimmed(lines[++i]);
        }
        RegFileValue value;
        if (!current || !readValueLine(whole, value))
            return false;
        index.putValue(*current, std::move(value));
    }
    return true;
}

std::string regFileText(const std::vector<RegFileKey>& keys)
{
    std::string text(kHeader);
    text += "\r\n";
    for (const RegFileKey& key : keys) {
        text += "\r\n[";
        text += kRoot;
        if (!key.path.empty())
            text += '\\' + key.path;
        text += "]\r\n";
        for (const RegFileValue& value : key.values) {
            text += value.name.empty() ? std::string("@") : quoted(value.name);
            text += '=';
            text += valueDataText(value);
            text += "\r\n";
        }
    }
    return text;
}

RegFileIndex::RegFileIndex(std::vector<RegFileKey>& keys)
    : m_keys(keys)
{
    for (std::size_t row = 0; row < m_keys.size(); ++row) {
        const RegFileKey& key = m_keys[row];
        m_keyRows.emplace(foldedName(key.path), row);
        for (std::size_t value = 0; value < key.values.size(); ++value)
            m_valueRows.emplace(valueEntry(key, key.values[value].name), value);
    }
}

RegFileKey* RegFileIndex::findKey(std::string_view path)
{
    const auto found = m_keyRows.find(foldedName(path));
    return found == m_keyRows.end() ? nullptr : &m_keys[found->second];
}

RegFileKey& RegFileIndex::addKey(std::string_view path)
{
    const auto [entry, added] = m_keyRows.emplace(foldedName(path), m_keys.size());
    if (added)
        m_keys.push_back(RegFileKey{std::string(path), {}});
    return m_keys[entry->second];
}

const RegFileValue* RegFileIndex::findValue(const RegFileKey& key, std::string_view name) const
{
    const auto found = m_valueRows.find(valueEntry(key, name));
    return found == m_valueRows.end() ? nullptr : &key.values[found->second];
}

void RegFileIndex::putValue(RegFileKey& key, RegFileValue value)
{
    const auto [entry, added] = m_valueRows.emplace(valueEntry(key, value.name), key.values.size());
    if (added)
        key.values.push_back(std::move(value));
    else
        key.values[entry->second] = std::move(value);
}

std::size_t RegFileIndex::rowOf(const RegFileKey& key) const
{
    return static_cast<std::size_t>(&key - m_keys.data());
}

// A value's entry: its key's row, then its folded name after a NUL, which no
// row number holds.
std::string RegFileIndex::valueEntry(const RegFileKey& key, std::string_view name) const
{
    return std::to_string(rowOf(key)) + '\0' + foldedName(name);
}

bool storableName(std::string_view name)
{
    return quotable(name);
}

std::vector<std::string> keyPathNames(std::string_view path)
{
    std::vector<std::string> names;
    std::string name;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (leadsPair(path, i)) {
            name += path[i];
            name += path[++i];
        } else if (path[i] != '\\') {
            name += path[i];
        } else if (!name.empty()) {
            names.push_back(std::move(name));
            name.clear();
        }
    }
    if (!name.empty())
        names.push_back(std::move(name));
    return names;
}

std::string joinKeyPath(std::string_view parent, std::string_view path)
{
    std::string joined;
    for (const std::string_view part : {parent, path}) {
        for (const std::string& name : keyPathNames(part)) {
            if (!joined.empty())
                joined += '\\';
            joined += name;
        }
    }
    return joined;
}

bool sameRegName(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (leadsPair(left, i)) {
            if (left.substr(i, 2) != right.substr(i, 2))
                return false;
            ++i;
        } else if (upperAsciiByte(left[i]) != upperAsciiByte(right[i])) {
            return false;
        }
    }
    return true;
}

} // namespace vorelind
