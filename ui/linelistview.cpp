#include "ui/linelistview.h"

#include "ui/rowwidthdelegate.h"

namespace vorelind {

LineListView::LineListView(QWidget* parent)
    : NumberedListView(parent)
    , m_delegate(new RowWidthDelegate(this))
{
    setUpUniformRows(*this, *m_delegate);
    showRows(m_model);
}

void LineListView::setRowsModel(LineRowsModel& rows)
{
    disconnect(m_rows, nullptr, this, nullptr);
    showRows(rows);
}

void LineListView::showRows(LineRowsModel& rows)
{
    m_rows = &rows;
    setModel(&rows);
    connect(&rows, &QAbstractItemModel::modelReset, this, &LineListView::updateRowWidth);
    connect(&rows, &QAbstractItemModel::rowsInserted, this, &LineListView::updateRowWidth);
    updateRowWidth();
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
    setCurrentIndex(m_rows->index(row));
}

// The widest row is measured when the rows are laid out, which a hidden
// view leaves until it is shown: a listing of some hundred thousand rows,
// filled while its tab is passed over, costs nothing until the user turns to it.
void LineListView::updateRowWidth()
{
    m_rowWidthStale = true;
    scheduleDelayedItemsLayout();
}

void LineListView::doItemsLayout()
{
    if (m_rowWidthStale) {
        m_rowWidthStale = false;
        m_delegate->setTextWidth(widestRowWidth(fontMetrics(), m_rows->lineCount(),
                                                [this](std::size_t row) { return m_rows->lineAt(row); }));
    }
    NumberedListView::doItemsLayout();
}

} // namespace vorelind
