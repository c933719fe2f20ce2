#pragma once

#include <filesystem>

namespace vorelind {

// The folder of the files the program keeps beside itself, the excluded-tag
// list "ignore.trm" and the work file "w.htm".
// It is the program's folder when the program may write there (a build
// folder, a per-user install). An installed program's folder is read-only to
// its users: then it is the user's data folder, $XDG_DATA_HOME/vorelind/
// (else ~/.local/share/vorelind/; %LOCALAPPDATA%\vorelind\ on Windows),
// created when missing, and the program folder's "ignore.trm" is copied there
// as the starting list of a user who has none yet. When that folder can't be
// made either, it is the program's folder, whose failures are then reported.
std::filesystem::path filesFolder(const std::filesystem::path& programFolder);

} // namespace vorelind
