#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorelind {

// The number of blanks (byte 32) that lead the text. The lines of a deeply
// nested listing lead with hundreds of blanks, so they are passed over
// eight at a time.
inline std::size_t leadingBlankCount(std::string_view text)
{
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    std::size_t count = 0;
    for (std::uint64_t eight = 0; count + sizeof eight <= text.size(); count += sizeof eight) {
        std::memcpy(&eight, text.data() + count, sizeof eight);
        if (eight != kEightBlanks)
            break;
    }
    while (count < text.size() && text[count] == ' ')
        ++count;
    return count;
}

} // namespace vorelind
