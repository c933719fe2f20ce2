#include "ui/numberedlistview.h"

#include <QPaintEvent>
#include <QPainter>

namespace vorelind {

namespace {

constexpr int kNumberMargin = 4;

} // namespace

NumberedListView::NumberedListView(QWidget* parent)
    : QListView(parent)
    , m_lineNumbers(new QWidget(this))
{
    m_lineNumbers->setObjectName(QStringLiteral("LineNumbers"));
    m_lineNumbers->installEventFilter(this);
    m_lineNumbers->hide();
}

void NumberedListView::setModel(QAbstractItemModel* model)
{
    QListView::setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &NumberedListView::updateLineNumberWidth);
    connect(model, &QAbstractItemModel::rowsInserted, this, &NumberedListView::updateLineNumberWidth);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &NumberedListView::updateLineNumberWidth);
    updateLineNumberWidth();
}

void NumberedListView::showLineNumbers(RowNumber numberOfRow, std::function<std::size_t()> largestNumber)
{
    m_numberOfRow = std::move(numberOfRow);
    m_largestNumber = std::move(largestNumber);
    m_lineNumbers->show();
    updateLineNumberWidth();
}

bool NumberedListView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lineNumbers && event->type() == QEvent::Paint) {
        paintLineNumbers();
        return true;
    }
    return QListView::eventFilter(watched, event);
}

void NumberedListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    placeLineNumbers();
}

void NumberedListView::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    if (dy != 0)
        m_lineNumbers->update();
}

// The rows get their places in batches after the column was painted; the
// numbers follow each batch.
void NumberedListView::updateGeometries()
{
    QListView::updateGeometries();
    m_lineNumbers->update();
}

void NumberedListView::updateLineNumberWidth()
{
    if (!m_numberOfRow)
        return;
    const int digits = static_cast<int>(std::to_string(m_largestNumber()).size());
    setViewportMargins(digits * fontMetrics().horizontalAdvance(QLatin1Char('9')) + 2 * kNumberMargin, 0, 0, 0);
    placeLineNumbers();
    m_lineNumbers->update();
}

void NumberedListView::placeLineNumbers()
{
    const QRect inside = contentsRect();
    m_lineNumbers->setGeometry(inside.left(), inside.top(), viewportMargins().left(), viewport()->height());
}

void NumberedListView::paintLineNumbers()
{
    QPainter painter(m_lineNumbers);
    painter.fillRect(m_lineNumbers->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int rows = model() ? model()->rowCount() : 0;
    for (int row = indexAt(QPoint(0, 0)).row(); row >= 0 && row < rows; ++row) {
        const QRect rect = visualRect(model()->index(row, 0));
        if (rect.top() >= viewport()->height())
            break;
        if (const std::size_t number = m_numberOfRow(row); number > 0)
            painter.drawText(QRect(0, rect.top(), m_lineNumbers->width() - kNumberMargin, rect.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(number));
    }
}

} // namespace vorelind
