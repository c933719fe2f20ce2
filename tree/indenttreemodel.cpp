#include "tree/indenttreemodel.h"

#include "platform/codecs/displaytext.h"
#include "tree/treefill.h"

#include <algorithm>
#include <utility>

namespace vorelind {

IndentTreeModel::IndentTreeModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void IndentTreeModel::load(const IndentedLines& lines)
{
    beginResetModel();
    m_tree.clear();
    m_tree.reserve(lines.count);
    m_marked.clear();
    loadIndentedLines(m_tree, lines);
    resetRows(false);
    endResetModel();
}

void IndentTreeModel::clear()
{
    beginResetModel();
    m_tree.clear();
    m_marked.clear();
    resetRows(false);
    endResetModel();
}

NodeId IndentTreeModel::nodeOf(const QModelIndex& index) const
{
    return m_rows[static_cast<std::size_t>(index.row())];
}

void IndentTreeModel::expand(int row)
{
    const NodeId node = m_rows[static_cast<std::size_t>(row)];
    if (m_expanded[node] || m_tree.childCount(node) == 0)
        return;
    m_expanded[node] = true;
    std::vector<std::uint32_t> shown;
    visitShown(node, [&shown](NodeId descendant) { shown.push_back(static_cast<std::uint32_t>(descendant)); });
    // The first one visited is the node itself, already shown.
    beginInsertRows({}, row + 1, row + static_cast<int>(shown.size()) - 1);
    m_rows.insert(m_rows.begin() + row + 1, shown.begin() + 1, shown.end());
    endInsertRows();
    emit dataChanged(index(row), index(row), {BranchRole});
}

void IndentTreeModel::collapse(int row)
{
    const NodeId node = m_rows[static_cast<std::size_t>(row)];
    if (!m_expanded[node])
        return;
    const int hidden = shownDescendants(row);
    if (hidden > 0) {
        beginRemoveRows({}, row + 1, row + hidden);
        m_rows.erase(m_rows.begin() + row + 1, m_rows.begin() + row + 1 + hidden);
        endRemoveRows();
    }
    m_expanded[node] = false;
    emit dataChanged(index(row), index(row), {BranchRole});
}

void IndentTreeModel::expandAll()
{
    beginResetModel();
    resetRows(true);
    endResetModel();
}

void IndentTreeModel::collapseAll()
{
    beginResetModel();
    resetRows(false);
    endResetModel();
}

void IndentTreeModel::expandBranch(int row)
{
    const NodeId top = m_rows[static_cast<std::size_t>(row)];
    if (m_tree.childCount(top) == 0)
        return;
    // The shown descendants go and come back all open, in one insertion.
    collapse(row);
    std::vector<NodeId> pending;
    for (std::size_t child = 0; child < m_tree.childCount(top); ++child)
        pending.push_back(m_tree.child(top, child));
    while (!pending.empty()) {
        const NodeId node = pending.back();
        pending.pop_back();
        m_expanded[node] = true;
        for (std::size_t child = 0; child < m_tree.childCount(node); ++child)
            pending.push_back(m_tree.child(node, child));
    }
    expand(row);
}

int IndentTreeModel::parentRow(int row) const
{
    const std::uint32_t level = m_tree.level(m_rows[static_cast<std::size_t>(row)]);
    while (--row >= 0) {
        if (m_tree.level(m_rows[static_cast<std::size_t>(row)]) < level)
            return row;
    }
    return -1;
}

int IndentTreeModel::reveal(NodeId node)
{
    std::vector<NodeId> ancestors;
    for (NodeId above = m_tree.parent(node); above != kNoNode; above = m_tree.parent(above))
        ancestors.push_back(above);
    // The highest collapsed ancestor is shown; opening the ones under it
    // first lets one insertion show the whole way down.
    const auto highestCollapsed = std::find_if(ancestors.rbegin(), ancestors.rend(),
                                               [this](NodeId above) { return !m_expanded[above]; });
    if (highestCollapsed != ancestors.rend()) {
        for (auto below = ancestors.begin(); below != highestCollapsed.base() - 1; ++below)
            m_expanded[*below] = true;
        expand(rowOf(*highestCollapsed));
    }
    return rowOf(node);
}

int IndentTreeModel::rowOf(NodeId node) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), node);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

void IndentTreeModel::setMarkedNodes(std::vector<NodeId> nodes)
{
    // Nodes made in row order come sorted unless the fill put one in front.
    if (!std::is_sorted(nodes.begin(), nodes.end()))
        std::sort(nodes.begin(), nodes.end());
    const bool changed = !m_marked.empty() || !nodes.empty();
    m_marked = std::move(nodes);
    if (changed && !m_rows.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {MarkedRole});
}

int IndentTreeModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant IndentTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const NodeId node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
        // A top-level node holds its whole line, which may run to megabytes.
        return toShownText(m_tree.text(node));
    case LevelRole:
        return m_tree.level(node);
    case BranchRole:
        return m_tree.childCount(node) == 0 ? Leaf : m_expanded[node] ? Expanded : Collapsed;
    case MarkedRole:
        return std::binary_search(m_marked.begin(), m_marked.end(), node);
    case Qt::AccessibleDescriptionRole:
        if (m_describeMark && std::binary_search(m_marked.begin(), m_marked.end(), node))
            return m_describeMark(node);
        return {};
    default:
        return {};
    }
}

// An explicit path of (node, next child) replaces the call stack, which a
// tree tens of thousands of levels deep would overflow.
template <typename Visit>
void IndentTreeModel::visitShown(NodeId top, Visit&& visit) const
{
    std::vector<std::pair<NodeId, std::size_t>> path{{top, 0}};
    visit(top);
    while (!path.empty()) {
        const auto [node, next] = path.back();
        if (next == m_tree.childCount(node) || !m_expanded[node]) {
            path.pop_back();
            continue;
        }
        ++path.back().second;
        const NodeId child = m_tree.child(node, next);
        visit(child);
        path.emplace_back(child, 0);
    }
}

int IndentTreeModel::shownDescendants(int row) const
{
    const std::uint32_t level = m_tree.level(m_rows[static_cast<std::size_t>(row)]);
    std::size_t end = static_cast<std::size_t>(row) + 1;
    while (end < m_rows.size() && m_tree.level(m_rows[end]) > level)
        ++end;
    return static_cast<int>(end) - row - 1;
}

void IndentTreeModel::resetRows(bool expanded)
{
    m_expanded.assign(m_tree.nodeCount(), expanded);
    m_rows.clear();
    for (std::size_t row = 0; row < m_tree.topLevelCount(); ++row)
        visitShown(m_tree.topLevel(row), [this](NodeId node) { m_rows.push_back(static_cast<std::uint32_t>(node)); });
}

} // namespace vorelind
