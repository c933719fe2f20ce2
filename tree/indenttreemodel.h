#pragma once

#include "tree/indenttree.h"

#include <QAbstractItemModel>

#include <string_view>
#include <vector>

namespace vorelind {

// Presents an IndentTree to Qt's views. Each index carries its node id, so
// index(), parent() and rowCount() are constant time; node texts stay
// Shift-JIS bytes and become display text only when a view asks for them.
class IndentTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit IndentTreeModel(QObject* parent = nullptr);

    // Rebuilds the tree from indented lines by the fill rule.
    void load(const std::vector<std::string_view>& lines);
    void clear();
    const IndentTree& tree() const { return m_tree; }
    NodeId nodeOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    // Marks leaves as never having children, so that expanding everything
    // keeps no state for them.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    IndentTree m_tree;
};

} // namespace vorelind
