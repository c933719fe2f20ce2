#include "ui/treerowaccessible.h"

#include "ui/treeindent.h"

#include <QWindow>

namespace vorelind {

TreeRowAccessible::TreeRowAccessible(TTreeIndent& tree, int row)
    : m_tree(&tree)
    , m_row(row)
{
}

bool TreeRowAccessible::isValid() const
{
    return m_tree && m_row < m_tree->indentModel().rowCount();
}

QWindow* TreeRowAccessible::window() const
{
    return m_tree ? m_tree->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TreeRowAccessible::parent() const
{
    return m_tree ? QAccessible::queryAccessibleInterface(m_tree.data()) : nullptr;
}

QString TreeRowAccessible::text(QAccessible::Text kind) const
{
    if (!isValid())
        return {};
    switch (kind) {
    case QAccessible::Name:
        return index().data().toString();
    case QAccessible::Description:
        return index().data(Qt::AccessibleDescriptionRole).toString();
    case QAccessible::Value:
        return QString::number(index().data(IndentTreeModel::LevelRole).toInt() + 1);
    default:
        return {};
    }
}

// From the indentation of its level on, as a stock tree view places a nested item.
QRect TreeRowAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect text = m_tree->textRect(index());
    return QRect(m_tree->viewport()->mapToGlobal(text.topLeft()), text.size());
}

QAccessible::State TreeRowAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const QModelIndex row = index();
    state.selectable = true;
    state.focusable = true;
    state.selected = m_tree->selectionModel()->isSelected(row);
    state.focused = m_tree->currentIndex() == row;
    if (!m_tree->viewport()->rect().intersects(m_tree->visualRect(row))) {
        state.invisible = true;
        state.offscreen = true;
    }
    const int branch = row.data(IndentTreeModel::BranchRole).toInt();
    state.expandable = branch != IndentTreeModel::Leaf;
    state.expanded = branch == IndentTreeModel::Expanded;
    state.collapsed = branch == IndentTreeModel::Collapsed;
    return state;
}

void* TreeRowAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TreeRowAccessible::actionNames() const
{
    if (!isValid())
        return {};
    QStringList names{setFocusAction()};
    if (index().data(IndentTreeModel::BranchRole).toInt() != IndentTreeModel::Leaf)
        names << toggleAction();
    return names;
}

void TreeRowAccessible::doAction(const QString& actionName)
{
    if (!isValid())
        return;
    if (actionName == setFocusAction())
        m_tree->setCurrentIndex(index());
    else if (actionName == toggleAction())
        m_tree->toggleRow(m_row);
}

QStringList TreeRowAccessible::keyBindingsForAction(const QString& actionName) const
{
    return actionName == toggleAction() ? QStringList{QStringLiteral("+"), QStringLiteral("-")} : QStringList{};
}

QModelIndex TreeRowAccessible::index() const
{
    return m_tree->indentModel().index(m_row);
}

} // namespace vorelind
