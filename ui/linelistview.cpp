#include "ui/linelistview.h"

#include "ui/rowwidthdelegate.h"

namespace vorelind {

LineListView::LineListView(QWidget* parent)
    : QListView(parent)
    , m_delegate(new RowWidthDelegate(this))
{
    setUpUniformRows(*this, m_model, *m_delegate);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &LineListView::updateRowWidth);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &LineListView::updateRowWidth);
}

int LineListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void LineListView::selectRow(int row)
{
    if (row < 0) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(m_model.index(row));
}

void LineListView::updateRowWidth()
{
    const std::vector<std::string>& lines = m_model.lines();
    m_delegate->setTextWidth(
        widestRowWidth(fontMetrics(), lines.size(), [&](std::size_t row) { return std::string_view(lines[row]); }));
    scheduleDelayedItemsLayout();
}

} // namespace vorelind
