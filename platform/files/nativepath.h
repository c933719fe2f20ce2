#pragma once

#include <QString>

class QUrl;

#include <filesystem>

namespace vorelind {

// A path as the file system spells it, from the windows' form and back,
// without passing through any other encoding on the way.
std::filesystem::path fileSystemPath(const QString& path);
QString displayedPath(const std::filesystem::path& path);

// The path of a file URL of this machine as the file system spells it: the
// percent-encoded bytes as they stand, also those that are no valid text.
std::filesystem::path localFilePath(const QUrl& url);

} // namespace vorelind
