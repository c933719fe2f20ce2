#include "ui/sourcerowview.h"

#include "ui/backgroundwork.h"
#include "ui/sourcerowdelegate.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace vorelind {

namespace {

// Rows laid out at once. The first batch fills the view, which is shown
// before the walk; the rest follow between other events, so a long source
// costs its walk no wait for rows it does not show.
constexpr int kRowsPerLayoutBatch = 16384;

// Rows indexed before the view is shown: more than a screen holds.
constexpr std::size_t kRowsShownFirst = 1024;

} // namespace

SourceRowView::SourceRowView(QWidget* parent)
    : NumberedListView(parent)
    , m_delegate(new SourceRowDelegate([this](int row) { return m_model.row(static_cast<std::size_t>(row)); },
                                       [this](int row) { return selectedPart(row); }, this))
{
    setModel(&m_model);
    setUpUniformRows(*this, *m_delegate);
    setLayoutMode(Batched);
    setBatchSize(kRowsPerLayoutBatch);
    showLineNumbers([this](int row) { return lineNumberOfRow(row); },
                    [this] { return m_model.sourceIndex().lineCount(); });
    // A hidden view takes its rows when it is shown, not before the tree paints.
    connect(&m_wholeIndexDone, &QFutureWatcherBase::finished, this, [this] {
        if (isVisible())
            showAllRows();
    });
}

void SourceRowView::setSource(std::shared_ptr<const std::string> bytes)
{
    m_selection.reset();
    m_clicked.reset();
    SourceIndex firstRows = SourceIndex::linesAndRowsOf(*bytes, kRowsShownFirst);
    m_wholeIndexPending = !firstRows.complete();
    m_wholeIndex = {};
    m_wholeIndexDone.setFuture(m_wholeIndex);
    showIndexed(std::move(bytes), std::move(firstRows));
}

void SourceRowView::indexInBackground()
{
    if (!m_wholeIndexPending)
        return;
    m_wholeIndexPending = false;
    m_wholeIndex = runInBackground([bytes = source()] { return SourceIndex::linesAndRowsOf(*bytes); });
    m_wholeIndexDone.setFuture(m_wholeIndex);
}

void SourceRowView::showAllRows()
{
    indexInBackground();
    if (m_wholeIndex.isValid())
        showIndexed(m_model.bytes(), m_wholeIndex.takeResult());
}

const SourceIndex& SourceRowView::lines()
{
    showAllRows();
    return m_model.sourceIndex();
}

void SourceRowView::showIndexed(std::shared_ptr<const std::string> bytes, SourceIndex index)
{
    m_model.setSource(std::move(bytes), std::move(index));
    updateRowWidth();
}

// A row beyond the batches laid out so far has no place yet.
void SourceRowView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int rows = m_model.rowCount();
    if (rows > 0 && !rectForIndex(m_model.index(rows - 1)).isValid()) {
        setLayoutMode(SinglePass);
        doItemsLayout();
        setLayoutMode(Batched);
    }
    NumberedListView::scrollTo(index, hint);
}

void SourceRowView::clear()
{
    setSource(std::make_shared<const std::string>());
}

void SourceRowView::selectBytes(std::size_t offset, std::size_t length)
{
    showAllRows();
    m_selection = Selection{offset, length};
    const QModelIndex index = m_model.index(static_cast<int>(m_model.rowAt(offset)));
    const QModelIndex last = m_model.index(static_cast<int>(m_model.rowAt(offset + std::max<std::size_t>(length, 1) - 1)));
    // The rows that hold the bytes are selected, so that assistive tools see them.
    selectionModel()->select(QItemSelection(index, last), QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    scrollToByte(offset);
    viewport()->update();
}

std::size_t SourceRowView::cursorOffset() const
{
    if (m_selection)
        return m_selection->offset;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return 0;
    const std::size_t rowStart = m_model.rowOffset(static_cast<std::size_t>(current.row()));
    const bool clickedInRow = m_clicked && *m_clicked >= rowStart
        && *m_clicked < rowStart + m_model.row(static_cast<std::size_t>(current.row())).size();
    return clickedInRow ? *m_clicked : rowStart;
}

std::string_view SourceRowView::selectedBytes() const
{
    if (!m_selection)
        return {};
    return std::string_view(*source()).substr(m_selection->offset, m_selection->length);
}

// The user who turns to the source, or searches it, sees all of it.
void SourceRowView::showEvent(QShowEvent* event)
{
    showAllRows();
    NumberedListView::showEvent(event);
}

// The window paints the source at once, before the walk keeps it busy: a
// list view would paint nothing while its layout waits for the event loop.
void SourceRowView::paintEvent(QPaintEvent* event)
{
    executeDelayedItemsLayout();
    NumberedListView::paintEvent(event);
}

// A click or a key moves the cursor to a row of the user's choosing.
void SourceRowView::mousePressEvent(QMouseEvent* event)
{
    m_selection.reset();
    m_clicked.reset();
    const QPoint at = event->position().toPoint();
    if (const QModelIndex index = indexAt(at); index.isValid()) {
        const QStyleOptionViewItem option = rowOption(index);
        m_clicked = m_model.rowOffset(static_cast<std::size_t>(index.row()))
            + m_delegate->byteAt(option, index, at.x() - option.rect.left());
    }
    viewport()->update();
    NumberedListView::mousePressEvent(event);
}

void SourceRowView::keyPressEvent(QKeyEvent* event)
{
    m_selection.reset();
    viewport()->update();
    NumberedListView::keyPressEvent(event);
}

// A source row is shown as it stands, blanks and all, so its blanks need no counting.
void SourceRowView::updateRowWidth()
{
    m_delegate->setTextWidth(widestRowWidth(fontMetrics(), static_cast<std::size_t>(m_model.rowCount()),
                                            [this](std::size_t row) { return IndentedText{0, m_model.row(row)}; }));
    scheduleDelayedItemsLayout();
}

std::optional<std::pair<std::size_t, std::size_t>> SourceRowView::selectedPart(int row) const
{
    if (!m_selection)
        return std::nullopt;
    const std::size_t rowStart = m_model.rowOffset(static_cast<std::size_t>(row));
    const std::size_t rowEnd = rowStart + m_model.row(static_cast<std::size_t>(row)).size();
    const std::size_t from = std::max(m_selection->offset, rowStart);
    const std::size_t to = std::min(m_selection->offset + m_selection->length, rowEnd);
    if (from >= to)
        return std::nullopt;
    return std::make_pair(from - rowStart, to - from);
}

// A row is up to a thousand bytes wide: the selection's start is brought
// into sight when it lies outside.
void SourceRowView::scrollToByte(std::size_t offset)
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return;
    const QStyleOptionViewItem option = rowOption(index);
    const int left = m_delegate->textLeft(option, index, offset - m_model.rowOffset(static_cast<std::size_t>(index.row())));
    QScrollBar& bar = *horizontalScrollBar();
    const int shownLeft = bar.value();
    if (left < shownLeft || left >= shownLeft + viewport()->width())
        bar.setValue(std::max(0, left - viewport()->width() / 3));
}

QStyleOptionViewItem SourceRowView::rowOption(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return option;
}

std::size_t SourceRowView::lineNumberOfRow(int row) const
{
    const LineColumn place = m_model.sourceIndex().at(m_model.rowOffset(static_cast<std::size_t>(row)));
    return place.column == 1 ? place.line : 0;
}

} // namespace vorelind
