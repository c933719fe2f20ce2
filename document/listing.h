#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Splits the listing at its CR LF pairs; an empty piece after the last pair
// is not a line. Every line is kept whole, empty ones included.
std::vector<std::string_view> listingLines(std::string_view listing);

// The listing's lines without the empty ones, as the list view holds them.
std::vector<std::string> nonEmptyLines(const std::vector<std::string_view>& lines);

} // namespace vorelind
