#include "tree/treefill.h"

#include "util/leadingblanks.h"
#include "util/substring.h"

namespace vorelind {

namespace {

constexpr long long kIndentedTextLength = 200;

// A line's node text: the whole line at depth 0, otherwise at most 200
// bytes from the last leading blank on.
std::string_view nodeText(const IndentedLine& line)
{
    if (line.depth == 0)
        return line.fromLastBlank;
    return substring(line.fromLastBlank, 1, kIndentedTextLength);
}

} // namespace

std::size_t lineDepth(std::string_view line)
{
    return leadingBlankCount(line);
}

IndentedLine indentedLine(std::string_view line)
{
    const std::size_t depth = lineDepth(line);
    return {depth, line.substr(depth > 0 ? depth - 1 : 0)};
}

IndentedLines indentedLines(const std::vector<std::string_view>& lines)
{
    return {lines.size(), [&lines](std::size_t row) { return indentedLine(lines[row]); }};
}

void loadIndentedLines(TreeOperations& tree, const std::vector<std::string_view>& lines)
{
    loadIndentedLines(tree, indentedLines(lines));
}

void loadIndentedLines(TreeOperations& tree, const IndentedLines& lines)
{
    tree.clear();
    bool firstLine = true;
    std::size_t previousDepth = 0;
    NodeId current = kNoNode;
    for (std::size_t row = 0; row < lines.count; ++row) {
        const IndentedLine line = lines.line(row);
        // Only an empty line has no byte from its last blank on.
        if (line.fromLastBlank.empty())
            continue;
        const std::size_t depth = line.depth;
        const std::string_view text = nodeText(line);
        if (firstLine) {
            // The first line sets no depth: whatever its blanks, the next
            // line is compared with 0.
            current = tree.addFirstTopLevel(text);
            firstLine = false;
            continue;
        }
        if (depth > previousDepth) {
            current = tree.addLastChild(current, text);
        } else if (depth == previousDepth) {
            current = tree.addLastSibling(current, text);
        } else {
            const NodeId parent = tree.parent(current);
            current = parent != kNoNode ? tree.addLastSibling(parent, text) : tree.addFirstTopLevel(text);
        }
        previousDepth = depth;
    }
    tree.finish();
}

} // namespace vorelind
