#pragma once

#include "tree/treeoperations.h"

#include <deque>
#include <string>
#include <vector>

namespace vorelind {

// A tree of text nodes in one flat vector. Node texts share one buffer, and
// every node knows its row, so looking a node up by row and a row up by node
// are both constant time, even with hundreds of thousands of siblings.
class IndentTree : public TreeOperations {
public:
    void clear() override;
    NodeId addFirstTopLevel(std::string_view text) override;
    NodeId addLastChild(NodeId parent, std::string_view text) override;
    NodeId addLastSibling(NodeId node, std::string_view text) override;
    NodeId parent(NodeId node) const override;

    // Makes room for the nodes of a fill at once, so that a large tree is
    // not copied while it grows.
    void reserve(std::size_t nodeCount) { m_nodes.reserve(nodeCount); }

    std::size_t nodeCount() const { return m_nodes.size(); }
    std::string_view text(NodeId node) const;

    std::size_t topLevelCount() const { return m_topLevel.size(); }
    NodeId topLevel(std::size_t row) const { return m_topLevel[row]; }
    std::size_t childCount(NodeId node) const { return m_nodes[node].children.size(); }
    NodeId child(NodeId node, std::size_t row) const { return m_nodes[node].children[row]; }
    // The node's row among its parent's children, or among the top-level nodes.
    std::size_t row(NodeId node) const;

    bool isExpanded(NodeId node) const { return m_nodes[node].expanded; }
    void setExpanded(NodeId node, bool expanded) { m_nodes[node].expanded = expanded; }
    void expandAll() { setAllExpanded(true); }
    void collapseAll() { setAllExpanded(false); }

private:
    struct Node {
        std::size_t textOffset;
        std::size_t textLength;
        NodeId parent;
        // A child's row; for a top-level node a key whose distance from the
        // first top-level node's key is its row.
        long long order;
        std::vector<NodeId> children;
        bool expanded = false;
    };

    NodeId addNode(std::string_view text, NodeId parent, long long order);
    NodeId appendTopLevel(std::string_view text);
    void setAllExpanded(bool expanded);

    std::string m_texts;
    std::vector<Node> m_nodes;
    std::deque<NodeId> m_topLevel;
    long long m_firstTopLevelOrder = 0;
};

} // namespace vorelind
