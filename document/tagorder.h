#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The order of the excluded-tag list: ascending without regard to ASCII
// case; names equal but for case follow byte order, so that two equal
// entries always stand next to each other.
bool tagOrderLess(std::string_view a, std::string_view b);

// Sorts the entries into list order.
void sortTags(std::vector<std::string>& entries);

// The row at which a new entry takes its place in a sorted list: after
// every entry that sorts before it or equals it.
std::size_t tagInsertRow(const std::vector<std::string>& entries, std::string_view entry);

} // namespace vorelind
