#include "ui/linelistview.h"

#include "platform/codecs/displaytext.h"

namespace vorelind {

LineListView::LineListView(QWidget* parent)
    : NumberedListView(parent)
    , m_delegate(new RowWidthDelegate(this))
{
    setUpUniformRows(*this, *m_delegate);
    showRows(m_model);
    m_delegate->setMarkedPart([this](const QModelIndex& index) { return markedPart(index); });
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
    forgetMatch();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (m_match && current.row() != m_match->row)
            forgetMatch();
    });
    connect(&rows, &QAbstractItemModel::modelReset, this, &LineListView::forgetMatch);
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

void LineListView::markMatch(int row, std::size_t start, std::size_t length)
{
    m_match = Match{row, start, length};
    viewport()->update();
}

std::optional<TextPart> LineListView::markedPart(const QModelIndex& index) const
{
    if (!m_match || index.row() != m_match->row)
        return std::nullopt;
    const IndentedText line = m_rows->lineAt(static_cast<std::size_t>(m_match->row));
    // A part beyond what the row shows is not painted.
    if (line.blanks + m_match->start + m_match->length > static_cast<std::size_t>(kShownTextLength))
        return std::nullopt;
    return TextPart{QString(static_cast<qsizetype>(line.blanks), QLatin1Char(' '))
                        + toDisplayText(line.text.substr(0, m_match->start)),
                    toDisplayText(line.text.substr(m_match->start, m_match->length))};
}

void LineListView::forgetMatch()
{
    if (!m_match)
        return;
    m_match.reset();
    viewport()->update();
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
