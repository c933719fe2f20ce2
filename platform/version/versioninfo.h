#pragma once

#include <cstdint>
#include <string>

namespace vorelind {

// The platform's three version-information calls; on Windows they are the
// real ones, elsewhere stand-ins that read the record from the file itself.

// Returns the size of the buffer that the file's version record needs;
// 0 when the file has none or can't be read.
std::uint32_t fileVersionInfoSize(const std::string& fileName);

// Reads the file's version record into data, a buffer of size bytes as the
// size call gave it; false when it can't.
bool fileVersionInfo(const std::string& fileName, std::uint32_t size, void* data);

// Finds a value of the record in block by its sub-block path: "\" for the
// fixed part, "\VarFileInfo\Translation", "\StringFileInfo\<key>\<name>";
// names are matched without regard to case. Gives a pointer into the buffer
// and the value's length in bytes; a text comes back in code page 932 and
// ends with a NUL. False when there is no such value, or it is empty binary data.
bool verQueryValue(void* block, const std::string& subBlock, void*& value, std::uint32_t& length);

} // namespace vorelind
