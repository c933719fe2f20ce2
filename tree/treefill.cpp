#include "tree/treefill.h"

#include "util/leadingblanks.h"

namespace vorelind {

namespace {

// A line's node text: the whole line at depth 0, otherwise at most 200
// bytes from the last leading blank on.
std::string_view nodeText(const IndentedLine& line)
{
    if (line.depth == 0)
        return line.fromLastBlank;
    return line.fromLastBlank.substr(0, kIndentedTextLength);
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
    TreeFill fill(tree);
    for (std::size_t row = 0; row < lines.count; ++row)
        fill.add(lines.line(row));
    fill.finish();
}

TreeFill::TreeFill(TreeOperations& tree)
    : m_tree(tree)
{
    m_tree.clear();
}

void TreeFill::add(const IndentedLine& line)
{
    // Only an empty line has no byte from its last blank on.
    if (line.fromLastBlank.empty())
        return;
    const std::size_t depth = line.depth;
    const std::string_view text = nodeText(line);
    if (m_firstLine) {
        // The first line sets no depth: whatever its blanks, the next
        // line is compared with 0.
        m_current = m_tree.addFirstTopLevel(text);
        m_firstLine = false;
        return;
    }
    if (depth > m_previousDepth) {
        m_current = m_tree.addLastChild(m_current, text);
    } else if (depth == m_previousDepth) {
        m_current = m_tree.addLastSibling(m_current, text);
    } else {
        const NodeId parent = m_tree.parent(m_current);
        m_current = parent != kNoNode ? m_tree.addLastSibling(parent, text) : m_tree.addFirstTopLevel(text);
    }
    m_previousDepth = depth;
}

void TreeFill::finish()
{
    m_tree.finish();
}

} // namespace vorelind
