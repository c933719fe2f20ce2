#include "tree/indenttreemodel.h"

#include "platform/codecs/displaytext.h"
#include "tree/treefill.h"

namespace vorelind {

IndentTreeModel::IndentTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void IndentTreeModel::load(const std::vector<std::string_view>& lines)
{
    beginResetModel();
    m_tree.clear();
    m_tree.reserve(lines.size());
    loadIndentedLines(m_tree, lines);
    endResetModel();
}

void IndentTreeModel::clear()
{
    beginResetModel();
    m_tree.clear();
    endResetModel();
}

NodeId IndentTreeModel::nodeOf(const QModelIndex& index) const
{
    return static_cast<NodeId>(index.internalId());
}

QModelIndex IndentTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    const auto at = static_cast<std::size_t>(row);
    const NodeId node = parent.isValid() ? m_tree.child(nodeOf(parent), at) : m_tree.topLevel(at);
    return createIndex(row, column, static_cast<quintptr>(node));
}

QModelIndex IndentTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const NodeId parentNode = m_tree.parent(nodeOf(child));
    if (parentNode == kNoNode)
        return {};
    return createIndex(static_cast<int>(m_tree.row(parentNode)), 0, static_cast<quintptr>(parentNode));
}

int IndentTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(parent.isValid() ? m_tree.childCount(nodeOf(parent)) : m_tree.topLevelCount());
}

int IndentTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool IndentTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

Qt::ItemFlags IndentTreeModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags itemFlags = QAbstractItemModel::flags(index);
    if (index.isValid() && !hasChildren(index))
        itemFlags |= Qt::ItemNeverHasChildren;
    return itemFlags;
}

QVariant IndentTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return toDisplayText(m_tree.text(nodeOf(index)));
}

} // namespace vorelind
