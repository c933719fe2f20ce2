#pragma once

#include "tree/indenttree.h"
#include "tree/treefill.h"

#include <QAbstractListModel>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vorelind {

// Presents an IndentTree as the flat list of its shown nodes: the top-level
// nodes and, under every expanded node, its children, in pre-order. Each
// row tells its level and whether its node is a leaf, collapsed or expanded,
// so that a view paints the nesting itself. Nothing here recurses, so any
// depth holds. Node texts stay Shift-JIS bytes and become display text only
// when a view asks for them.
class IndentTreeModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { LevelRole = Qt::UserRole, BranchRole, MarkedRole };
    enum Branch { Leaf, Collapsed, Expanded };

    explicit IndentTreeModel(QObject* parent = nullptr);

    // Rebuilds the tree from indented lines by the fill rule; every node
    // starts collapsed.
    void load(const IndentedLines& lines);
    void clear();
    const IndentTree& tree() const { return m_tree; }
    NodeId nodeOf(const QModelIndex& index) const;
    bool isExpanded(NodeId node) const { return m_expanded[node]; }

    // Shows or hides the children of the node in the row; a leaf stays as it is.
    void expand(int row);
    void collapse(int row);
    void expandAll();
    void collapseAll();
    // Expands the node in the row and every node under it.
    void expandBranch(int row);
    // The row of the nearest shown node above the row with a lower level, or -1.
    int parentRow(int row) const;
    // Expands the node's collapsed ancestors and returns its row.
    int reveal(NodeId node);
    // Marks these nodes (MarkedRole) and no others; they need not be sorted.
    void setMarkedNodes(std::vector<NodeId> nodes);
    // What a marked node's Qt::AccessibleDescriptionRole tells, asked for one node at a time.
    void setMarkDescription(std::function<QString(NodeId)> describe) { m_describeMark = std::move(describe); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Calls visit(node) for the node and its shown descendants in
    // pre-order: the children of collapsed nodes are skipped.
    template <typename Visit>
    void visitShown(NodeId top, Visit&& visit) const;
    // The node's row, or -1 while it is hidden.
    int rowOf(NodeId node) const;
    // The shown rows below the row that belong to its node's subtree.
    int shownDescendants(int row) const;
    void resetRows(bool expanded);

    IndentTree m_tree;
    // The shown nodes, in the order of the rows; a tree has fewer than 2^31 nodes.
    std::vector<std::uint32_t> m_rows;
    std::vector<bool> m_expanded;
    std::vector<NodeId> m_marked; // sorted
    std::function<QString(NodeId)> m_describeMark;
};

} // namespace vorelind
