#pragma once

#include <cstddef>
#include <string>

namespace vorelind {

// Reserves room for a large text about to be filled from start to end, and
// asks the kernel to back it with huge pages where it can: filling tens of
// megabytes of fresh memory otherwise costs a page fault every 4 KiB, more
// than the work that fills it. The hint changes nothing but speed.
void reserveLarge(std::string& text, std::size_t size);

// The same hint for a buffer of the caller's own, such as one grown with realloc.
void adviseLargeBuffer(char* data, std::size_t size);

} // namespace vorelind
