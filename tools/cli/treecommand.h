#pragma once

#include "document/documentpipeline.h"
#include "document/listing.h"
#include "document/sourceindex.h"
#include "tree/indenttree.h"

#include <memory>
#include <optional>
#include <string>

namespace vorelind {

// Keeps the line index of the source that the run loads, so that the tree
// can name where each node began.
class SourceLines : public DocumentSteps {
public:
    void loaded(const std::shared_ptr<const std::string>& source) override { index = SourceIndex::linesOf(*source); }

    std::optional<SourceIndex> index;
};

// Writes the tree filled from the listing, one node per line in pre-order:
// its level (0 at the top), a TAB, the node text, LF. With the source's
// lines, "LINE:COL" of the byte that began the node's listing line and a
// TAB come after the level. In the node text a control byte but TAB, and a
// Shift-JIS lead byte before one, is written as \xHH.
void writeTree(const IndentTree& tree, const Listing& listing, const SourceIndex* sourceLines, ListingSink& out);

} // namespace vorelind
