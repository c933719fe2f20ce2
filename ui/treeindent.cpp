#include "ui/treeindent.h"

#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "ui/treeaccessible.h"
#include "ui/treerowdelegate.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
    m_delegate->setMarkedPart([this](const QModelIndex& index) { return markedPart(index); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (m_match && (!current.isValid() || m_model.nodeOf(current) != m_match->node))
            forgetMatch();
    });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &TTreeIndent::forgetMatch);
    static const bool accessible = [] {
        QAccessible::installFactory(&TreeAccessible::forObject);
        return true;
    }();
    Q_UNUSED(accessible)
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

void TTreeIndent::toggleRow(int row)
{
    if (m_model.isExpanded(m_model.nodeOf(m_model.index(row))))
        m_model.collapse(row);
    else
        m_model.expand(row);
}

QRect TTreeIndent::textRect(const QModelIndex& index) const
{
    return m_delegate->textRect(visualRect(index), index);
}

void TTreeIndent::markMatch(NodeId node, std::size_t start, std::size_t length)
{
    m_match = Match{node, start, length};
    viewport()->update();
}

std::optional<TextPart> TTreeIndent::markedPart(const QModelIndex& index) const
{
    if (!m_match || m_model.nodeOf(index) != m_match->node)
        return std::nullopt;
    const std::string_view text = m_model.tree().text(m_match->node);
    // A part beyond what the row shows is not painted.
    if (m_match->start + m_match->length > static_cast<std::size_t>(kShownTextLength))
        return std::nullopt;
    return TextPart{toDisplayText(text.substr(0, m_match->start)),
                    toDisplayText(text.substr(m_match->start, m_match->length))};
}

void TTreeIndent::forgetMatch()
{
    if (!m_match)
        return;
    m_match.reset();
    viewport()->update();
}

// A marked node is tinted from its text to the far edge of the row, which
// the column, sized from a sample of the rows, may stop short of.
void TTreeIndent::drawRow(QPainter* painter, const QStyleOptionViewItem& options, const QModelIndex& index) const
{
    if (index.data(IndentTreeModel::MarkedRole).toBool()) {
        QRect tint = textRect(index);
        tint.setRight(std::max(tint.right(), viewport()->width() - 1));
        painter->fillRect(tint, unmatchedTint());
    }
    QTreeView::drawRow(painter, options, index);
}

void TTreeIndent::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (event->button() == Qt::LeftButton && index.isValid()
        && index.data(IndentTreeModel::BranchRole).toInt() != IndentTreeModel::Leaf
        && m_delegate->branchRect(visualRect(index), index).contains(at)) {
        toggleRow(index.row());
        return;
    }
    QTreeView::mousePressEvent(event);
}

// A double-click never reaches the view's own handling, which would open,
// close or edit the node under it; the left button's tells the window.
void TTreeIndent::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit leftDoubleClicked();
}

// The keys of the desktop's tree views: Right opens the current node or,
// when it is open, moves to its first child; Left closes it or, when it is
// closed or a leaf, moves to its parent; "*" opens the whole branch, "+"
// and "-" open and close the node.
void TTreeIndent::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !treeKey(event->key(), current.row()))
        QTreeView::keyPressEvent(event);
}

bool TTreeIndent::treeKey(int key, int row)
{
    const NodeId node = m_model.nodeOf(m_model.index(row));
    const bool open = m_model.isExpanded(node) && m_model.tree().childCount(node) > 0;
    switch (key) {
    case Qt::Key_Right:
        if (open)
            setCurrentIndex(m_model.index(row + 1));
        else
            m_model.expand(row);
        return true;
    case Qt::Key_Left:
        if (open)
            m_model.collapse(row);
        else if (const int parentRow = m_model.parentRow(row); parentRow >= 0)
            setCurrentIndex(m_model.index(parentRow));
        return true;
    case Qt::Key_Asterisk:
        m_model.expandBranch(row);
        return true;
    case Qt::Key_Plus:
        m_model.expand(row);
        return true;
    case Qt::Key_Minus:
        m_model.collapse(row);
        return true;
    default:
        return false;
    }
}

} // namespace vorelind
