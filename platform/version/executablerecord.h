#pragma once

#include <optional>
#include <string>

namespace vorelind {

// The section of our own ELF executables that holds their version record.
inline constexpr char kVersionSectionName[] = ".versioninfo";

// Returns the version record (VS_VERSIONINFO) of an executable: the RT_VERSION
// resource of a Windows PE file, or the version section of a little-endian
// ELF file. Nothing when the file has none, can't be read, or its headers
// point outside it.
std::optional<std::string> versionRecordOf(const std::string& fileName);

} // namespace vorelind
