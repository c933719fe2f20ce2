// The settings store's file parser on arbitrary bytes: a file it reads,
// written back, reads back to the same keys and values.

#include "require.h"

#include "platform/store/regfiletext.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vorelind;

bool sameValues(const std::vector<RegFileValue>& left, const std::vector<RegFileValue>& right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].name != right[i].name || left[i].type != right[i].type || left[i].data != right[i].data)
            return false;
    }
    return true;
}

bool sameKeys(const std::vector<RegFileKey>& left, const std::vector<RegFileKey>& right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].path != right[i].path || !sameValues(left[i].values, right[i].values))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<RegFileKey> keys;
    std::size_t badLine = 0;
    if (!parseRegFileText(input, keys, badLine)) {
        require(badLine >= 1, "a refused file names a line");
        return 0;
    }
    const std::string written = regFileText(keys);
    std::vector<RegFileKey> reread;
    require(parseRegFileText(written, reread, badLine), "a written file reads back");
    require(sameKeys(keys, reread), "a written file reads back the same keys and values");
    return 0;
}
