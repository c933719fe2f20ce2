#include "document/tagorder.h"

#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

bool tagOrderLess(std::string_view a, std::string_view b)
{
    // std::string compares bytes as unsigned, so Shift-JIS sorts after ASCII.
    const int order = upperAscii(a).compare(upperAscii(b));
    return order != 0 ? order < 0 : a < b;
}

void sortTags(std::vector<std::string>& entries)
{
    std::sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return tagOrderLess(a, b);
    });
}

std::size_t tagInsertRow(const std::vector<std::string>& entries, std::string_view entry)
{
    const auto at = std::upper_bound(entries.begin(), entries.end(), entry,
                                     [](std::string_view a, const std::string& b) { return tagOrderLess(a, b); });
    return static_cast<std::size_t>(at - entries.begin());
}

} // namespace vorelind
