#include "tree/indenttree.h"

#include <algorithm>
#include <functional>

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
    m_topLevel.push_front(node);
    return node;
}

NodeId IndentTree::addLastChild(NodeId parent, std::string_view text)
{
    const long long row = m_nodes[parent].childCount++;
    return addNode(text, parent, row);
}

NodeId IndentTree::addLastSibling(NodeId node, std::string_view text)
{
    const NodeId parentNode = m_nodes[node].parent;
    return parentNode == kNoNode ? appendTopLevel(text) : addLastChild(parentNode, text);
}

NodeId IndentTree::parent(NodeId node) const
{
    return m_nodes[node].parent;
}

// Each parent's children get one stretch of the array, in row order.
void IndentTree::finish()
{
    std::size_t start = 0;
    for (Node& node : m_nodes) {
        node.firstChild = start;
        start += node.childCount;
    }
    m_children.assign(start, kNoNode);
    for (NodeId node = 0; node < m_nodes.size(); ++node) {
        const Node& entry = m_nodes[node];
        if (entry.parent != kNoNode)
            m_children[m_nodes[entry.parent].firstChild + static_cast<std::size_t>(entry.order)] = node;
    }
}

std::size_t IndentTree::row(NodeId node) const
{
    const Node& entry = m_nodes[node];
    const long long first = entry.parent == kNoNode ? m_firstTopLevelOrder : 0;
    return static_cast<std::size_t>(entry.order - first);
}

// Nodes are added line by line, so their texts lie in the order of their ids.
NodeId IndentTree::nodeAt(const char* byte) const
{
    const auto next = std::upper_bound(m_nodes.begin(), m_nodes.end(), byte,
                                       [](const char* at, const Node& node) { return std::less<>()(at, node.text); });
    return next == m_nodes.begin() ? kNoNode : static_cast<NodeId>(next - m_nodes.begin()) - 1;
}

NodeId IndentTree::addNode(std::string_view text, NodeId parent, long long order)
{
    const NodeId node = m_nodes.size();
    m_nodes.push_back(Node{text.data(), static_cast<std::uint32_t>(text.size()), 0, parent, order, 0});
    return node;
}

NodeId IndentTree::appendTopLevel(std::string_view text)
{
    const long long order = m_firstTopLevelOrder + static_cast<long long>(m_topLevel.size());
    const NodeId node = addNode(text, kNoNode, order);
    m_topLevel.push_back(node);
    return node;
}

} // namespace vorelind
