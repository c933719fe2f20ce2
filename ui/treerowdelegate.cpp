#include "ui/treerowdelegate.h"

#include "tree/indenttreemodel.h"

#include <QPainter>
#include <QTreeView>

#include <algorithm>

namespace vorelind {

namespace {

// A column is at most 1,048,575 pixels wide; deeper rows are painted at this
// level, so that their text stays within the column and can be scrolled to.
constexpr int kDeepestPaintedLevel = 50000;

int paintedLevel(const QModelIndex& index)
{
    return std::min(index.data(IndentTreeModel::LevelRole).toInt(), kDeepestPaintedLevel);
}

} // namespace

TreeRowDelegate::TreeRowDelegate(QTreeView& view)
    : QStyledItemDelegate(&view)
    , m_view(view)
{
}

QRect TreeRowDelegate::branchRect(const QRect& rowRect, const QModelIndex& index) const
{
    const int step = m_view.indentation();
    return QRect(rowRect.left() + paintedLevel(index) * step, rowRect.top(), step, rowRect.height());
}

QRect TreeRowDelegate::textRect(const QRect& rowRect, const QModelIndex& index) const
{
    return rowRect.adjusted(leadingWidth(index), 0, 0, 0);
}

void TreeRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto branch = static_cast<IndentTreeModel::Branch>(index.data(IndentTreeModel::BranchRole).toInt());
    if (branch != IndentTreeModel::Leaf) {
        QStyleOption arrow;
        arrow.initFrom(&m_view);
        arrow.rect = branchRect(option.rect, index);
        arrow.state = QStyle::State_Item | QStyle::State_Children;
        if (branch == IndentTreeModel::Expanded)
            arrow.state |= QStyle::State_Open;
        m_view.style()->drawPrimitive(QStyle::PE_IndicatorBranch, &arrow, painter, &m_view);
    }
    QStyleOptionViewItem text = option;
    text.rect = textRect(option.rect, index);
    QStyledItemDelegate::paint(painter, text, index);
    if (const std::optional<TextPart> part = m_markedPart ? m_markedPart(index) : std::nullopt) {
        initStyleOption(&text, index);
        paintTextPart(*painter, text, *part);
    }
}

QSize TreeRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(size.width() + leadingWidth(index));
    return size;
}

int TreeRowDelegate::leadingWidth(const QModelIndex& index) const
{
    return (paintedLevel(index) + 1) * m_view.indentation();
}

} // namespace vorelind
