#include "ui/treeindent.h"

#include "ui/treerowdelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vorelind {

TTreeIndent::TTreeIndent(QWidget* parent)
    : QTreeView(parent)
    , m_delegate(new TreeRowDelegate(*this))
{
    setModel(&m_model);
    setItemDelegate(m_delegate);
    // The rows paint their own arrows; the view's would stand for a flat list.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The column follows its widest shown text (the header samples a bounded
    // number of rows), so long node texts scroll rather than being cut.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void TTreeIndent::LoadIndentedLines(const IndentedLines& lines)
{
    m_model.load(lines);
}

void TTreeIndent::clearNodes()
{
    m_model.clear();
}

void TTreeIndent::expandAll()
{
    m_model.expandAll();
}

void TTreeIndent::collapseAll()
{
    m_model.collapseAll();
}

void TTreeIndent::revealNode(NodeId node)
{
    const QModelIndex index = m_model.index(m_model.reveal(node));
    setCurrentIndex(index);
    scrollTo(index);
}

void TTreeIndent::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (event->button() == Qt::LeftButton && index.isValid()
        && index.data(IndentTreeModel::BranchRole).toInt() != IndentTreeModel::Leaf
        && m_delegate->branchRect(visualRect(index), index).contains(at)) {
        if (m_model.isExpanded(m_model.nodeOf(index)))
            m_model.collapse(index.row());
        else
            m_model.expand(index.row());
        return;
    }
    QTreeView::mousePressEvent(event);
}

// Right opens the current node, Left closes it or, when it is closed or a
// leaf, moves to its parent, as in the tree views of the desktop.
void TTreeIndent::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    const bool right = event->key() == Qt::Key_Right;
    if (!current.isValid() || (!right && event->key() != Qt::Key_Left)) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const NodeId node = m_model.nodeOf(current);
    if (right) {
        m_model.expand(current.row());
    } else if (m_model.isExpanded(node) && m_model.tree().childCount(node) > 0) {
        m_model.collapse(current.row());
    } else if (const int parentRow = m_model.parentRow(current.row()); parentRow >= 0) {
        setCurrentIndex(m_model.index(parentRow));
    }
}

} // namespace vorelind
