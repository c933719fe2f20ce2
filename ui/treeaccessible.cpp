#include "ui/treeaccessible.h"

#include "ui/treeindent.h"
#include "ui/treerowaccessible.h"

#include <QHeaderView>

namespace vorelind {

TreeAccessible::TreeAccessible(TTreeIndent& tree)
    : QAccessibleWidget(&tree, QAccessible::Tree)
    , m_modelWatch(std::make_unique<QObject>())
{
    const IndentTreeModel* model = &tree.indentModel();
    QObject* watch = m_modelWatch.get();
    const auto forget = [this] { forgetRows(); };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, watch, forget);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, watch, forget);
    QObject::connect(model, &QAbstractItemModel::modelReset, watch, forget);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, watch, forget);
    // Opening or closing a node changes its one row's branch.
    QObject::connect(model, &QAbstractItemModel::dataChanged, watch,
                     [this](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                         if (first == last && roles.contains(IndentTreeModel::BranchRole))
                             announceBranch(first.row());
                     });
}

TreeAccessible::~TreeAccessible()
{
    forgetRows();
}

QAccessibleInterface* TreeAccessible::forObject(const QString& className, QObject* object)
{
    if (className != QLatin1String(TTreeIndent::staticMetaObject.className()))
        return nullptr;
    auto* tree = qobject_cast<TTreeIndent*>(object);
    return tree ? new TreeAccessible(*tree) : nullptr;
}

int TreeAccessible::childCount() const
{
    return tree().indentModel().rowCount() + 1;
}

QAccessibleInterface* TreeAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(tree().header());
    if (index < 0 || index >= childCount())
        return nullptr;
    const int row = index - 1;
    if (const auto known = m_rows.find(row); known != m_rows.end())
        return QAccessible::accessibleInterface(known->second);
    auto* made = new TreeRowAccessible(tree(), row);
    m_rows.emplace(row, QAccessible::registerAccessibleInterface(made));
    return made;
}

int TreeAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (child->object() == tree().header())
        return 0;
    const auto* row = dynamic_cast<const TreeRowAccessible*>(child);
    if (!row || !row->isValid() || row->parent() != this)
        return -1;
    return row->row() + 1;
}

QAccessibleInterface* TreeAccessible::childAt(int x, int y) const
{
    const QModelIndex index = tree().indexAt(tree().viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row() + 1) : nullptr;
}

QAccessibleInterface* TreeAccessible::focusChild() const
{
    const QModelIndex current = tree().currentIndex();
    return current.isValid() ? child(current.row() + 1) : nullptr;
}

TTreeIndent& TreeAccessible::tree() const
{
    return *static_cast<TTreeIndent*>(widget());
}

void TreeAccessible::forgetRows() const
{
    for (const auto& [row, id] : m_rows)
        QAccessible::deleteAccessibleInterface(id);
    m_rows.clear();
}

void TreeAccessible::announceBranch(int row) const
{
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(widget(), changed);
    event.setChild(row + 1);
    QAccessible::updateAccessibility(&event);
}

} // namespace vorelind
