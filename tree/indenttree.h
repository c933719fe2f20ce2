#pragma once

#include "tree/treeoperations.h"
#include "util/largebuffer.h"

#include <cstdint>
#include <deque>
#include <limits>
#include <string_view>
#include <vector>

namespace vorelind {

// A tree of text nodes in one flat vector. A node's text is a view into the
// listing it was filled from, which must outlive the tree's nodes. Every
// node knows its row, and the children of all nodes lie in one array once
// the fill is finished, so looking a node up by row and a row up by node are
// both constant time, even with hundreds of thousands of siblings.
class IndentTree : public TreeOperations {
public:
    void clear() override;
    NodeId addFirstTopLevel(std::string_view text) override;
    NodeId addLastChild(NodeId parent, std::string_view text) override;
    NodeId addLastSibling(NodeId node, std::string_view text) override;
    NodeId parent(NodeId node) const override;
    // Lays the children out; child() needs it.
    void finish() override;

    // Makes room for the nodes of a fill at once, so that a large tree is
    // not copied while it grows, and maps that room ahead of the fill.
    void reserve(std::size_t nodeCount);

    std::size_t nodeCount() const { return m_nodes.size(); }
    std::string_view text(NodeId node) const { return {m_nodes[node].text, m_nodes[node].textLength}; }

    std::size_t topLevelCount() const { return m_topLevel.size(); }
    NodeId topLevel(std::size_t row) const { return m_topLevel[row]; }
    std::size_t childCount(NodeId node) const { return m_nodes[node].childCount; }
    NodeId child(NodeId node, std::size_t row) const { return m_children[m_nodes[node].firstChild + row]; }
    // How many ancestors the node has: 0 for a top-level node.
    std::uint32_t level(NodeId node) const { return m_nodes[node].level; }
    // The node's row among its parent's children, or among the top-level nodes.
    std::size_t row(NodeId node) const;
    // The last node whose text starts at or before a byte of the lines the
    // tree was filled from, which is the node of the line holding the byte;
    // kNoNode when there is none.
    NodeId nodeAt(const char* byte) const;

private:
    // A node takes 32 bytes: a tree has a node per listing line, and a
    // source of at most 256 MiB gives fewer than 2^31 lines, so 32 bits
    // hold every count, index and row.
    using Index = std::uint32_t;
    static constexpr Index kNoParent = std::numeric_limits<Index>::max();

    struct Node {
        const char* text;
        // A node's text is a line of at most 200 bytes, or a whole top line
        // of a source smaller than 4 GiB.
        std::uint32_t textLength;
        Index childCount;
        Index parent;
        // A child's row; for a top-level node a key whose distance from the
        // first top-level node's key is its row.
        std::int32_t order;
        Index firstChild; // where the node's children start in m_children
        Index level; // ancestors above the node
    };

    NodeId addNode(std::string_view text, NodeId parent, std::int64_t order);
    NodeId appendTopLevel(std::string_view text);

    std::vector<Node> m_nodes;
    BackgroundPrefault m_nodesPrefault;
    std::vector<Index> m_children;
    std::deque<Index> m_topLevel;
    std::int32_t m_firstTopLevelOrder = 0;
};

} // namespace vorelind
