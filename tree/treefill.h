#pragma once

#include "tree/treeoperations.h"

#include <string_view>
#include <vector>

namespace vorelind {

// Returns the number of blanks (byte 32) that lead the line.
std::size_t lineDepth(std::string_view line);

// Returns a line's node text: the whole line at depth 0, otherwise at most
// 200 bytes from the last leading blank on.
std::string_view nodeText(std::string_view line);

// Rebuilds the tree from indented lines. Only each line's depth against the
// previous line's counts: a rise goes down one level, a fall goes up one
// level, whatever their size. Empty lines are skipped.
void loadIndentedLines(TreeOperations& tree, const std::vector<std::string_view>& lines);

} // namespace vorelind
