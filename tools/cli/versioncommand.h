#pragma once

#include <string>

namespace vorelind {

// The sixteen texts of a file's version record, one "Name=value" line each
// in the order the version reader gives them, converted to UTF-8. Raises
// AppError when the file has no version record.
std::string versionListing(const std::string& fileName);

} // namespace vorelind
