// The excluded-tag file reader on arbitrary bytes: entries hold no line
// break and no NUL, and writing them back and reading again gives them back.

#include "require.h"

#include "settings/listfile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vorelind;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = parseListText(input);
    std::size_t entryBytes = 0;
    for (const std::string& entry : entries) {
        require(entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                "an entry holds no line break and no NUL");
        entryBytes += entry.size();
    }
    const std::string written = listFileBytes(entries);
    require(written.size() == entryBytes + 2 * entries.size(), "every entry is written with CR LF");
    require(parseListText(written) == entries, "a written list reads back the same");
    return 0;
}
