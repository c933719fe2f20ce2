#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Returns the text without its trailing bytes of value 32 or less.
std::string_view TrimTail(std::string_view text);

// Returns the 1-based position of the first byte above 32, or 0 when none is.
std::size_t FirstNonBlankPos(std::string_view text);

// Tidies listing lines for saving, in place: trailing blanks and control
// bytes go, and inside SCRIPT and PRE blocks the blanks that the listing put
// in front of each line go too. Lines that hold a block marker stay as they are.
void tidyForExport(std::vector<std::string>& lines);

// The saved file's bytes: every line followed by CR LF.
std::string exportBytes(const std::vector<std::string>& lines);

// Writes the lines to a new file, replacing any file of that name; a file
// that cannot be created or written raises AppError, whose message holds
// the path's bytes.
void writeExportFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace vorelind
