#pragma once

#include <optional>
#include <string>

namespace vorelind {

// Returns whether something other than a regular file stands at the path: a
// folder, a device or a pipe. Such files are turned away before they are
// opened: opening a pipe waits for a writer, and a device may never end.
bool isSpecialFile(const std::string& path);

// Reads at most the first limit bytes of the file. Returns nothing when the
// file cannot be opened (errno says why); a read error raises AppError.
std::optional<std::string> tryReadFileHead(const std::string& path, std::size_t limit);

} // namespace vorelind
