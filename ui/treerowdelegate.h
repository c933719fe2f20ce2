#pragma once

#include "ui/rowwidthdelegate.h"

#include <QStyledItemDelegate>

class QTreeView;

namespace vorelind {

// Paints a row of the flat indent tree model as a tree view would: led by
// one indentation step per level, then the branch arrow, then the text.
class TreeRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TreeRowDelegate(QTreeView& view);

    // Where the branch arrow of the row in the rectangle lies.
    QRect branchRect(const QRect& rowRect, const QModelIndex& index) const;
    // Where the text of the row in the rectangle lies: after the arrow.
    QRect textRect(const QRect& rowRect, const QModelIndex& index) const;

    void setMarkedPart(MarkedPart markedPart) { m_markedPart = std::move(markedPart); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The room before the text: the indentation of the row's level and the arrow.
    int leadingWidth(const QModelIndex& index) const;

    QTreeView& m_view;
    MarkedPart m_markedPart;
};

} // namespace vorelind
