#include "document/foundtags.h"

#include "document/tagscan.h"

#include <algorithm>

namespace vorelind {

namespace {

UnbalancedTag unbalanced(std::string_view text, TagSide side, const FoundTag& tag)
{
    const std::size_t nameStart = tag.offset + (side == TagSide::Start ? 1 : 2);
    return {side, tag.offset, text.substr(nameStart, readName(text, nameStart).end - nameStart)};
}

} // namespace

void reserveFoundTags(std::vector<FoundTag>& tags, std::string_view text)
{
    tags.reserve(text.size() / 64);
}

void mergeFindings(std::string_view text, const std::vector<FoundTag>& starts, const std::vector<FoundTag>& strays,
                   UnbalancedTagSink& sink)
{
    const auto isUnbalanced = [](const FoundTag& tag) { return tag.unbalanced; };
    sink.expect(static_cast<std::size_t>(std::count_if(starts.begin(), starts.end(), isUnbalanced)) + strays.size());
    auto stray = strays.begin();
    for (const FoundTag& start : starts) {
        if (!start.unbalanced)
            continue;
        for (; stray != strays.end() && stray->offset < start.offset; ++stray)
            sink.take(unbalanced(text, TagSide::End, *stray));
        sink.take(unbalanced(text, TagSide::Start, start));
    }
    for (; stray != strays.end(); ++stray)
        sink.take(unbalanced(text, TagSide::End, *stray));
}

} // namespace vorelind
