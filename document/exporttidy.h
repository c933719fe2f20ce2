#pragma once

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

// Writes the lines to a new file beside the target and renames it over the
// target once it is whole, so a failure leaves the target as it was. A
// symbolic link is followed to the file it names. A file that cannot be
// written, a FIFO or a device raises AppError.
void writeExportFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace vorelind
