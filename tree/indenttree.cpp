#include "tree/indenttree.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace vorelind {

void IndentTree::clear()
{
    m_nodes.clear();
    m_children.clear();
    m_topLevel.clear();
    m_firstTopLevelOrder = 0;
}

NodeId IndentTree::addFirstTopLevel(std::string_view text)
{
    if (!m_topLevel.empty())
        --m_firstTopLevelOrder;
    const NodeId node = addNode(text, kNoNode, m_firstTopLevelOrder);
    m_topLevel.push_front(static_cast<Index>(node));
    return node;
}

NodeId IndentTree::addLastChild(NodeId parent, std::string_view text)
{
    const Index row = m_nodes[parent].childCount++;
    return addNode(text, parent, row);
}

NodeId IndentTree::addLastSibling(NodeId node, std::string_view text)
{
    const NodeId parentNode = parent(node);
    return parentNode == kNoNode ? appendTopLevel(text) : addLastChild(parentNode, text);
}

NodeId IndentTree::parent(NodeId node) const
{
    const Index parentNode = m_nodes[node].parent;
    return parentNode == kNoParent ? kNoNode : parentNode;
}

void IndentTree::reserve(std::size_t nodeCount)
{
    m_nodes.reserve(nodeCount);
    m_nodesPrefault = BackgroundPrefault(m_nodes.data(), m_nodes.capacity() * sizeof(Node));
}

// Each parent's children get one stretch of the array, in row order. The
// nodes are all written by now, so their mapping ahead has done its work.
void IndentTree::finish()
{
    m_nodesPrefault = {};
    Index start = 0;
    for (Node& node : m_nodes) {
        node.firstChild = start;
        start += node.childCount;
    }
    m_children.assign(start, kNoParent);
    for (NodeId node = 0; node < m_nodes.size(); ++node) {
        const Node& entry = m_nodes[node];
        if (entry.parent != kNoParent)
            m_children[m_nodes[entry.parent].firstChild + static_cast<Index>(entry.order)] = static_cast<Index>(node);
    }
}

std::size_t IndentTree::row(NodeId node) const
{
    const Node& entry = m_nodes[node];
    const std::int64_t first = entry.parent == kNoParent ? m_firstTopLevelOrder : 0;
    return static_cast<std::size_t>(entry.order - first);
}

// Nodes are added line by line, so their texts lie in the order of their ids.
NodeId IndentTree::nodeAt(const char* byte) const
{
    const auto next = std::upper_bound(m_nodes.begin(), m_nodes.end(), byte,
                                       [](const char* at, const Node& node) { return std::less<>()(at, node.text); });
    return next == m_nodes.begin() ? kNoNode : static_cast<NodeId>(next - m_nodes.begin()) - 1;
}

NodeId IndentTree::addNode(std::string_view text, NodeId parent, std::int64_t order)
{
    // Beyond this, rows and top-level keys would not fit their 32 bits.
    if (m_nodes.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("too many tree nodes");
    const NodeId node = m_nodes.size();
    const Index parentIndex = parent == kNoNode ? kNoParent : static_cast<Index>(parent);
    // A parent is added before its children, so its level is known.
    const Index level = parent == kNoNode ? 0 : m_nodes[parent].level + 1;
    m_nodes.push_back(Node{text.data(), static_cast<std::uint32_t>(text.size()), 0, parentIndex,
                           static_cast<std::int32_t>(order), 0, level});
    return node;
}

NodeId IndentTree::appendTopLevel(std::string_view text)
{
    const std::int64_t order = std::int64_t(m_firstTopLevelOrder) + static_cast<std::int64_t>(m_topLevel.size());
    const NodeId node = addNode(text, kNoNode, order);
    m_topLevel.push_back(static_cast<Index>(node));
    return node;
}

} // namespace vorelind
