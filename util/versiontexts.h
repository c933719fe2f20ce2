#pragma once

#include <cstdint>
#include <string>

namespace vorelind {

// The display texts of a version record's fixed part (VS_FIXEDFILEINFO), in
// Shift-JIS.

// The target-system labels, each with a leading blank: at most one for the
// low half of dwFileOS and one for its high half, the low half's first.
std::string osText(std::uint32_t fileOs);

// major.minor.release.build in decimal.
std::string versionText(std::uint32_t fileVersionMs, std::uint32_t fileVersionLs);

// The build-kind label, chosen by the exact value of dwFileFlags.
std::string flagsText(std::uint32_t fileFlags);

// The file-type label; drivers and fonts are named by their subtype.
std::string typeText(std::uint32_t fileType, std::uint32_t fileSubtype);

// The key of the string table of a translation: language and code page as
// four upper-case hexadecimal digits each, as in "041103A4".
std::string stringTableKey(std::uint32_t language, std::uint32_t codePage);

} // namespace vorelind
