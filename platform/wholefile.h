#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorelind {

// Replaces the file at path with the bytes as a whole: they go to a new file
// beside it, which is flushed to the disk and then renamed over it, so that a
// reader, a crash or a writer killed midway finds the old content or the new,
// never part of either. The file keeps its permissions. Returns false when a
// step fails; the file is then as it was.
bool replaceFileWhole(const std::filesystem::path& path, std::string_view bytes);

} // namespace vorelind
