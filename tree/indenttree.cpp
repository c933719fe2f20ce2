#include "tree/indenttree.h"

namespace vorelind {

void IndentTree::clear()
{
    m_texts.clear();
    m_nodes.clear();
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
    const auto row = static_cast<long long>(m_nodes[parent].children.size());
    const NodeId node = addNode(text, parent, row);
    m_nodes[parent].children.push_back(node);
    return node;
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

std::string_view IndentTree::text(NodeId node) const
{
    return std::string_view(m_texts).substr(m_nodes[node].textOffset, m_nodes[node].textLength);
}

std::size_t IndentTree::row(NodeId node) const
{
    const Node& entry = m_nodes[node];
    const long long first = entry.parent == kNoNode ? m_firstTopLevelOrder : 0;
    return static_cast<std::size_t>(entry.order - first);
}

NodeId IndentTree::addNode(std::string_view text, NodeId parent, long long order)
{
    const NodeId node = m_nodes.size();
    m_nodes.push_back(Node{m_texts.size(), text.size(), parent, order, {}});
    m_texts += text;
    return node;
}

NodeId IndentTree::appendTopLevel(std::string_view text)
{
    const long long order = m_firstTopLevelOrder + static_cast<long long>(m_topLevel.size());
    const NodeId node = addNode(text, kNoNode, order);
    m_topLevel.push_back(node);
    return node;
}

void IndentTree::setAllExpanded(bool expanded)
{
    for (Node& node : m_nodes)
        node.expanded = expanded;
}

} // namespace vorelind
