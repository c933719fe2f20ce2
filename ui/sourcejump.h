#pragma once

#include "tree/treeoperations.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorelind {

class IndentTree;
class LineListView;
class Listing;
class SourceView;
class TTreeIndent;

// The two views of the structure, whose rows stand for listing lines.
enum class StructureView { Tree, Listing };

// Moves between the rows of the structure views and the walked source: a
// row began at a source position, and a source position lies in the last
// row that began at or before it.
class SourceJump {
public:
    SourceJump(TTreeIndent& tree, LineListView& listing, SourceView& source);

    // The listing that the tree and the list show, and the source that the
    // source view shows and that was walked into it; null for none.
    void setDocument(std::shared_ptr<const Listing> listing, std::shared_ptr<const std::string> source);
    const Listing* listing() const { return m_listing.get(); }
    const std::string* source() const { return m_source.get(); }
    LineListView& listingView() const { return m_listingView; }

    // The listing row of the view's current node or line.
    std::optional<std::size_t> currentRow(StructureView view) const;
    // Reveals the row's node or line, makes it current and scrolls to it.
    void showRow(StructureView view, std::size_t row);
    // Selects in the source view the tag that began the view's current row
    // (or, for a line of text, the rest of its source line); false when
    // there is no current row.
    bool showSourceOfCurrentRow(StructureView view);
    // Reveals the tree node of the row that holds the source view's cursor.
    bool showNodeAtSourceCursor();
    // Selects a line of the source, counted from 1.
    void showSourceLine(std::size_t line);
    // The tree node made from a listing row.
    NodeId nodeOfRow(std::size_t row) const;
    // The tree nodes made from many listing rows.
    std::vector<NodeId> nodesOfRows(const std::vector<std::size_t>& rows) const;
    // The listing row a tree node was made from.
    std::size_t rowOfNode(NodeId node) const;

private:
    NodeId nodeOfRow(const IndentTree& tree, std::size_t row) const;
    std::size_t lineEnd(std::size_t offset) const;

    TTreeIndent& m_tree;
    LineListView& m_listingView;
    SourceView& m_sourceView;
    std::shared_ptr<const Listing> m_listing;
    std::shared_ptr<const std::string> m_source;
};

} // namespace vorelind
