#pragma once

#include "versionblock.h"

#include <string_view>

namespace vorelind {

// Builds the version record from its definition: one NAME=value line each
// (UTF-8), lines starting with "#" ignored. FILEVERSION and PRODUCTVERSION
// (four dotted numbers), FILEFLAGSMASK, FILEFLAGS, FILEOS, FILETYPE,
// FILESUBTYPE (numbers, "0x" for hexadecimal) and TRANSLATION (language,
// code page) give the fixed part and the translation; every other name is a
// string value, kept in the order given. Throws std::invalid_argument
// naming the line that can't be read.
VersionBlock versionRecordFromDefinition(std::string_view text);

} // namespace vorelind
