#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace vorelind {

// The files that the program appends to or writes in folders it does not own
// must be regular files: a symbolic link would send the bytes anywhere the
// user can write, and a FIFO or a device would block or swallow them.

// Returns whether a symbolic link, a FIFO, a device or a socket is at the
// path; a link itself is looked at, not what it names.
bool isLinkOrSpecialFile(const std::filesystem::path& path);

// Opens a regular file for appending, creating it when absent. A symbolic
// link, a FIFO or a device is refused with EPERM, and a FIFO never blocks
// the open. Returns null with errno set on failure.
std::FILE* openRegularFileForAppend(const std::filesystem::path& path);

// Returns the size of the open file, or 0 when the system cannot tell.
std::uintmax_t sizeOfOpenFile(std::FILE* file);

// The file that writing to the path reaches: the path itself, or the file
// that a symbolic link there names, link after link.
std::filesystem::path writeTarget(const std::filesystem::path& path);

} // namespace vorelind
