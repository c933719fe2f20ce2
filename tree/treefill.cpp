#include "tree/treefill.h"

#include "util/leadingblanks.h"

namespace vorelind {

template class BasicTreeFill<TreeOperations>;

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

} // namespace vorelind
