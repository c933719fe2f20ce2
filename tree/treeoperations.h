#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

namespace vorelind {

using NodeId = std::size_t;
inline constexpr NodeId kNoNode = std::numeric_limits<NodeId>::max();

// What the fill rule needs of a tree, and nothing more.
class TreeOperations {
public:
    virtual ~TreeOperations() = default;
    virtual void clear() = 0;
    // Adds a node in front of all top-level nodes.
    virtual NodeId addFirstTopLevel(std::string_view text) = 0;
    virtual NodeId addLastChild(NodeId parent, std::string_view text) = 0;
    // Adds a node after the last child of the node's parent (or after the
    // last top-level node when the node is top-level).
    virtual NodeId addLastSibling(NodeId node, std::string_view text) = 0;
    // Returns kNoNode for a top-level node.
    virtual NodeId parent(NodeId node) const = 0;
    // Called once the last node of a fill is added.
    virtual void finish() {}
};

} // namespace vorelind
