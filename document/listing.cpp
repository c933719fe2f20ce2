#include "document/listing.h"

namespace vorelind {

std::vector<std::string_view> listingLines(std::string_view listing)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < listing.size()) {
        const std::size_t end = listing.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(listing.substr(start));
            break;
        }
        lines.push_back(listing.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> nonEmptyLines(const std::vector<std::string_view>& lines)
{
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (const std::string_view line : lines) {
        if (!line.empty())
            kept.emplace_back(line);
    }
    return kept;
}

} // namespace vorelind
