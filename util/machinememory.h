#pragma once

#include <cstdint>

namespace vorelind {

// Returns the machine's physical memory in bytes, or 0 when the system does
// not tell.
std::uint64_t physicalMemoryBytes();

} // namespace vorelind
