#include "util/substring.h"

#include <algorithm>

namespace vorelind {

std::string_view substring(std::string_view text, long long start, long long count)
{
    const auto length = static_cast<long long>(text.size());
    if (count <= 0 || start > length)
        return {};
    // A start before the first byte counts from the first byte.
    const long long first = std::max(start, 1LL);
    const long long available = length - first + 1;
    return text.substr(static_cast<std::size_t>(first - 1),
                       static_cast<std::size_t>(std::min(count, available)));
}

} // namespace vorelind
