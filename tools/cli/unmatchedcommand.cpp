#include "unmatchedcommand.h"

#include "document/lineindex.h"
#include "document/tagbalance.h"

namespace vorelind {

std::string unmatchedListing(std::string_view source, const ExcludedTags& excluded)
{
    const LineIndex lines(source);
    std::string listing;
    for (const UnbalancedTag& tag : unbalancedTags(source, excluded)) {
        listing += lineColumnText(lines.at(tag.offset));
        listing += tag.side == TagSide::Start ? "\tstart\t" : "\tend\t";
        listing += tag.name;
        listing += '\n';
    }
    return listing;
}

} // namespace vorelind
