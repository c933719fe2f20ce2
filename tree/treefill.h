#pragma once

#include "tree/treeoperations.h"

#include <functional>
#include <string_view>
#include <vector>

namespace vorelind {

// The most bytes of an indented line that its node text keeps, from the
// last leading blank on; a line at depth 0 keeps all of its bytes.
inline constexpr std::size_t kIndentedTextLength = 200;

// Returns the number of blanks (byte 32) that lead the line.
std::size_t lineDepth(std::string_view line);

// A line as the fill takes it: the number of blanks that lead it, and its
// bytes from the last of them on (the whole line when no blank leads it),
// where a node's text begins.
struct IndentedLine {
    std::size_t depth;
    std::string_view fromLastBlank;
};

// A whole line as the fill takes it.
IndentedLine indentedLine(std::string_view line);

// The lines a tree is filled from, by their count and each by its row, so
// that lines held in one buffer with an index need not be listed first.
struct IndentedLines {
    std::size_t count;
    std::function<IndentedLine(std::size_t)> line;
};

// The lines of a vector, which must outlive the result.
IndentedLines indentedLines(const std::vector<std::string_view>& lines);

// A line's node text: the whole line at depth 0, otherwise at most 200
// bytes from the last leading blank on.
inline std::string_view nodeText(const IndentedLine& line)
{
    if (line.depth == 0)
        return line.fromLastBlank;
    return line.fromLastBlank.substr(0, kIndentedTextLength);
}

// Fills a tree line by line, as the lines come. Only each line's depth
// against the previous line's counts: a rise goes down one level, a fall
// goes up one level, whatever their size. Empty lines are skipped. The fill
// only ever names the node it added last and that node's ancestors.
// The tree is any type with TreeOperations' functions, so that a tree that
// a fill of hundreds of thousands of lines makes has them called directly.
template <typename Tree>
class BasicTreeFill {
public:
    // Clears the tree.
    explicit BasicTreeFill(Tree& tree)
        : m_tree(tree)
    {
        m_tree.clear();
    }

    void add(const IndentedLine& line)
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

    // Tells the tree that its last node is added.
    void finish() { m_tree.finish(); }

private:
    Tree& m_tree;
    bool m_firstLine = true;
    std::size_t m_previousDepth = 0;
    NodeId m_current = kNoNode;
};

extern template class BasicTreeFill<TreeOperations>;
using TreeFill = BasicTreeFill<TreeOperations>;

// Rebuilds the tree from indented lines by the fill above.
void loadIndentedLines(TreeOperations& tree, const IndentedLines& lines);
void loadIndentedLines(TreeOperations& tree, const std::vector<std::string_view>& lines);

} // namespace vorelind
