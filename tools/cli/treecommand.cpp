#include "treecommand.h"

#include <charconv>
#include <utility>
#include <vector>

namespace vorelind {

namespace {

void writeNodePosition(const IndentTree& tree, NodeId node, const Listing& listing, const LineIndex& sourceLines,
                       ListingSink& out)
{
    const std::size_t position = listing.sourcePosition(listing.rowOf(tree.text(node)));
    out.write(lineColumnText(sourceLines.at(position - 1)));
    out.write("\t");
}

} // namespace

// Pre-order without recursion: the deepest trees come from hostile input.
void writeTree(const IndentTree& tree, const Listing& listing, const LineIndex* sourceLines, ListingSink& out)
{
    std::vector<std::pair<NodeId, std::size_t>> pending;
    for (std::size_t row = tree.topLevelCount(); row-- > 0;)
        pending.emplace_back(tree.topLevel(row), 0);
    char level[24];
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const auto digits = std::to_chars(level, level + sizeof level, depth);
        out.write(std::string_view(level, static_cast<std::size_t>(digits.ptr - level)));
        out.write("\t");
        if (sourceLines)
            writeNodePosition(tree, node, listing, *sourceLines, out);
        out.write(tree.text(node));
        out.write("\n");
        for (std::size_t row = tree.childCount(node); row-- > 0;)
            pending.emplace_back(tree.child(node, row), depth + 1);
    }
}

} // namespace vorelind
