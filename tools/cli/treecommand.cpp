#include "treecommand.h"

#include "util/sjis.h"

#include <charconv>
#include <utility>
#include <vector>

namespace vorelind {

namespace {

void writeNodePosition(const IndentTree& tree, NodeId node, const Listing& listing, const SourceIndex& sourceLines,
                       ListingSink& out)
{
    const std::size_t position = listing.sourcePosition(listing.rowOf(tree.text(node)));
    out.write(lineColumnText(sourceLines.at(position - 1)));
    out.write("\t");
}

// Whether the byte is written escaped: a control byte but TAB, which the
// walk keeps in a line when a Shift-JIS lead byte takes it for the second
// byte of its character (a CR or LF too). A TAB cannot end the node's line.
bool isEscapedByte(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}

void writeEscapedByte(unsigned char byte, ListingSink& out)
{
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    const char escape[] = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    out.write(std::string_view(escape, sizeof escape));
}

// Writes the node text so that it keeps its one line: each escaped byte as
// \xHH, and a lead byte before one so too, which a reader would otherwise
// join to the escape's backslash. Whole characters are stepped over, so
// that a lead byte is told from a second byte.
void writeNodeText(std::string_view text, ListingSink& out)
{
    std::size_t plainFrom = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const bool lead = isSjisLeadByte(byte) && at + 1 < text.size();
        if (lead && !isEscapedByte(static_cast<unsigned char>(text[at + 1]))) {
            at += 2;
            continue;
        }
        if (lead || isEscapedByte(byte)) {
            out.write(text.substr(plainFrom, at - plainFrom));
            writeEscapedByte(byte, out);
            plainFrom = at + 1;
        }
        ++at;
    }
    out.write(text.substr(plainFrom));
}

} // namespace

// Pre-order without recursion: the deepest trees come from hostile input.
void writeTree(const IndentTree& tree, const Listing& listing, const SourceIndex* sourceLines, ListingSink& out)
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
        writeNodeText(tree.text(node), out);
        out.write("\n");
        for (std::size_t row = tree.childCount(node); row-- > 0;)
            pending.emplace_back(tree.child(node, row), depth + 1);
    }
}

} // namespace vorelind
