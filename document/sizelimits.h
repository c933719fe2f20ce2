#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorelind {

inline constexpr std::uint64_t kMebibyte = std::uint64_t(1) << 20;

// The largest source file the program takes. The window holds the source,
// the listing, its lines and the tree at once; building the tree of a 200 MB
// page alone takes 1.3 to 3 GB, by how dense its tags are.
inline constexpr std::uint64_t kMaxSourceSize = 256 * kMebibyte;

// The most bytes one walk may write for a source of the given size: 64 per
// source byte and 64 MiB more, which no real page comes near, and never more
// than an eighth of the machine's memory, since the lines, the list and the
// tree are built from the listing afterwards. Deep nesting makes the listing
// grow with the square of the depth, so a small file can pass it.
std::size_t listingBudget(std::size_t sourceSize);

// The error of a walk whose listing passed its budget.
std::string listingTooLargeMessage(std::size_t budget);

// The error of a file larger than kMaxSourceSize.
std::string sourceTooLargeMessage(const std::string& fileName);

} // namespace vorelind
