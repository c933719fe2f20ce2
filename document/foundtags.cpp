#include "document/foundtags.h"

#include "document/tagscan.h"

#include <algorithm>

namespace vorelind {

namespace {

UnbalancedTag unbalanced(std::string_view text, TagSide side, std::size_t offset)
{
    const std::size_t nameStart = offset + (side == TagSide::Start ? 1 : 2);
    return {side, offset, text.substr(nameStart, nameEndFrom(text, nameStart) - nameStart)};
}

} // namespace

void reserveFoundTags(std::vector<std::size_t>& offsets, std::string_view text)
{
    offsets.reserve(text.size() / 32);
}

void mergeFindings(std::string_view text, std::vector<std::size_t>& unclosed, const std::vector<std::size_t>& strays,
                   UnbalancedTagSink& sink)
{
    if (!std::is_sorted(unclosed.begin(), unclosed.end()))
        std::sort(unclosed.begin(), unclosed.end());
    if (!sink.expect(unclosed.size() + strays.size()))
        return;
    auto stray = strays.begin();
    for (const std::size_t start : unclosed) {
        for (; stray != strays.end() && *stray < start; ++stray)
            sink.take(unbalanced(text, TagSide::End, *stray));
        sink.take(unbalanced(text, TagSide::Start, start));
    }
    for (; stray != strays.end(); ++stray)
        sink.take(unbalanced(text, TagSide::End, *stray));
}

} // namespace vorelind
