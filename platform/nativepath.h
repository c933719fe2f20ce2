#pragma once

#include <QString>

#include <filesystem>

namespace vorelind {

// A path as the file system spells it, from the windows' form and back,
// without passing through any other encoding on the way.
std::filesystem::path fileSystemPath(const QString& path);
QString displayedPath(const std::filesystem::path& path);

} // namespace vorelind
