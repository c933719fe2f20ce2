#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vorelind {

// Replaces the file at path with the bytes as a whole: they go to a new file
// beside it, which is flushed to the disk and then renamed over it, so that a
// reader, a crash or a writer killed midway finds the old content or the new,
// never part of either. The file keeps its permissions. Returns false when a
// step fails; the file is then as it was. New files that writers killed
// midway left beside the file are removed first; one that a live writer
// holds stays.
bool replaceFileWhole(const std::filesystem::path& path, std::string_view bytes);

// Takes one piece of the new file's bytes; false when it can't be written.
using FilePieceWriter = std::function<bool(std::string_view piece)>;

// The same with the bytes given piece by piece: the producer hands each to
// the writer and returns false when a piece could not be written.
bool replaceFileWhole(const std::filesystem::path& path, const std::function<bool(const FilePieceWriter&)>& produce);

} // namespace vorelind
