#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorelind {

// One value of a key as the registry holds it: its type and its data bytes
// (a REG_SZ text with its terminating NUL).
struct RegFileValue {
    std::string name; // empty for the key's default value
    std::uint32_t type = 0;
    std::string data;
};

// One key with its values; the path lies below HKEY_CURRENT_USER, its names
// separated by "\".
struct RegFileKey {
    std::string path;
    std::vector<RegFileValue> values;
};

// Parses registry export text ("Windows Registry Editor Version 5.00"):
// sections "[HKEY_CURRENT_USER\path]" and lines "name"="text", dword:,
// hex: and hex(type):, with "\" continuing a hex list on the next line.
// Returns false with the 1-based number of the first line it can't read.
bool parseRegFileText(std::string_view text, std::vector<RegFileKey>& keys, std::size_t& badLine);

// The registry export text of the keys, lines ended by CR LF. A REG_SZ that
// a quoted text can't hold exactly (a line break, a NUL) is written as
// hex(1): so that every type and every byte is kept.
std::string regFileText(const std::vector<RegFileKey>& keys);

// Finds keys by path and values by name in a list of keys without searching
// it, so that a file of many keys or values reads in linear time. Names are
// matched as sameRegName matches them. The list grows only through the index.
class RegFileIndex {
public:
    explicit RegFileIndex(std::vector<RegFileKey>& keys);

    // Returns the key of the given path, or null.
    RegFileKey* findKey(std::string_view path);

    // Returns the key of the given path, appended to the list when absent.
    RegFileKey& addKey(std::string_view path);

    // Returns the value of the given name, or null.
    const RegFileValue* findValue(const RegFileKey& key, std::string_view name) const;

    // Sets a value of a key, replacing the one of the same name.
    void putValue(RegFileKey& key, RegFileValue value);

private:
    std::size_t rowOf(const RegFileKey& key) const;
    std::string valueEntry(const RegFileKey& key, std::string_view name) const;

    std::vector<RegFileKey>& m_keys;
    std::unordered_map<std::string, std::size_t> m_keyRows;   // folded path
    std::unordered_map<std::string, std::size_t> m_valueRows; // key row, folded name
};

// Returns whether a key or value name can be written to the file and read
// back: no control bytes, no unfinished Shift-JIS character.
bool storableName(std::string_view name);

// Joins key paths and drops empty names: "A\", "\B\C" give "A\B\C".
std::string joinKeyPath(std::string_view parent, std::string_view path);

// The names of a key path, outermost first.
std::vector<std::string> keyPathNames(std::string_view path);

// Compares key or value names without regard to the case of ASCII letters;
// the second byte of a Shift-JIS character is compared as it is.
bool sameRegName(std::string_view left, std::string_view right);

} // namespace vorelind
