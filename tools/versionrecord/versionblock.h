#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// One block of a version record (VS_VERSIONINFO, StringFileInfo, a string
// table, a String, VarFileInfo, a Var), in its published layout.
struct VersionBlock {
    std::string key;   // UTF-8, stored as UTF-16
    std::string value; // the value's bytes: binary data, or UTF-16LE text with its NUL
    bool isText = false;
    std::vector<VersionBlock> children;
};

// The fixed part of a record (VS_FIXEDFILEINFO).
struct FixedFileInfo {
    std::uint32_t fileVersionMs = 0;
    std::uint32_t fileVersionLs = 0;
    std::uint32_t productVersionMs = 0;
    std::uint32_t productVersionLs = 0;
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
};

// A String block: the name and its text, both UTF-8.
VersionBlock stringBlock(std::string_view name, std::string_view text);

// The 52 bytes of a fixed part, signature and structure version included.
std::string fixedFileInfoBytes(const FixedFileInfo& info);

// A translation entry: language in the low 16 bits, code page in the high.
std::string translationBytes(std::uint16_t language, std::uint16_t codePage);

// A record in the usual layout: the fixed part, one string table under the
// key of its translation, and the translation table with that one entry.
struct TextValue {
    std::string name;
    std::string text;
};
VersionBlock standardRecord(const FixedFileInfo& info, std::uint16_t language, std::uint16_t codePage,
                            const std::vector<TextValue>& texts);

// The record's bytes: each block is its length, value length (characters for
// a text), type, NUL-terminated UTF-16 key, value and children, each part
// starting on a 32-bit boundary. Throws std::length_error beyond 65535 bytes.
std::string versionRecordBytes(const VersionBlock& root);

} // namespace vorelind
