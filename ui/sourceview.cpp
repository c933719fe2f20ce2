#include "ui/sourceview.h"

#include "ui/rowwidthdelegate.h"

namespace vorelind {

SourceView::SourceView(QWidget* parent)
    : QListView(parent)
    , m_delegate(new RowWidthDelegate(this))
{
    setModel(&m_model);
    setUpUniformRows(*this, *m_delegate);
}

void SourceView::setSource(std::shared_ptr<const std::string> bytes)
{
    m_model.setSource(std::move(bytes));
    updateRowWidth();
}

void SourceView::clear()
{
    m_model.clear();
    updateRowWidth();
}

// The window paints the source at once, before the walk keeps it busy: a
// list view would paint nothing while its layout waits for the event loop.
void SourceView::paintEvent(QPaintEvent* event)
{
    executeDelayedItemsLayout();
    QListView::paintEvent(event);
}

void SourceView::updateRowWidth()
{
    m_delegate->setTextWidth(widestRowWidth(fontMetrics(), static_cast<std::size_t>(m_model.rowCount()),
                                            [this](std::size_t row) { return indentedText(m_model.row(row)); }));
    scheduleDelayedItemsLayout();
}

} // namespace vorelind
