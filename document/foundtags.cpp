#include "document/foundtags.h"

#include "document/tagscan.h"

#include <algorithm>

namespace vorelind {

namespace {

UnbalancedTag unclosedTag(std::string_view text, std::size_t offset)
{
    return {TagSide::Start, offset, text.substr(offset + 1, nameEndFrom(text, offset + 1) - (offset + 1))};
}

UnbalancedTag strayTag(std::string_view text, const StrayTag& stray)
{
    return {TagSide::End, stray.offset, text.substr(stray.offset + 2, stray.nameLength)};
}

} // namespace

void reserveFoundTags(FoundTags<std::size_t>& offsets, std::string_view text)
{
    offsets.reserve(text.size() / 32);
}

void reserveFoundTags(FoundTags<StrayTag>& strays, std::string_view text)
{
    strays.reserve(text.size() / 32);
}

void mergeFindings(std::string_view text, std::vector<std::size_t>& unclosed, const FoundTags<StrayTag>& strays,
                   UnbalancedTagSink& sink)
{
    if (!std::is_sorted(unclosed.begin(), unclosed.end()))
        std::sort(unclosed.begin(), unclosed.end());
    if (!sink.expect(unclosed.size() + strays.size()))
        return;
    auto stray = strays.begin();
    for (const std::size_t start : unclosed) {
        for (; stray != strays.end() && stray->offset < start; ++stray)
            sink.take(strayTag(text, *stray));
        sink.take(unclosedTag(text, start));
    }
    for (; stray != strays.end(); ++stray)
        sink.take(strayTag(text, *stray));
}

} // namespace vorelind
