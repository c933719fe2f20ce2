#include "ui/sourceview.h"

#include "ui/sourcerowview.h"
#include "ui/sourcetextedit.h"

namespace vorelind {

bool SourceView::fitsTheText(std::string_view bytes)
{
    if (bytes.size() > kTextPageBytes)
        return false;
    // A line ends at LF or at CR; the longest is found by the breaks alone.
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != '\n' && bytes[at] != '\r')
            continue;
        if (at - lineStart > kTextLineBytes)
            return false;
        lineStart = at + 1;
    }
    return bytes.size() - lineStart <= kTextLineBytes;
}

SourceView::SourceView(QWidget* parent)
    : QStackedWidget(parent)
    , m_rows(new SourceRowView(this))
    , m_text(new SourceTextEdit(this))
{
    m_rows->setObjectName(QStringLiteral("SourceRows"));
    m_text->setObjectName(QStringLiteral("SourceText"));
    m_rows->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    addWidget(m_rows);
    addWidget(m_text);
    showAs(m_text);
}

// The rows take every page: they index it for the find bar and the jumps.
void SourceView::setSource(std::shared_ptr<const std::string> bytes)
{
    const bool asText = fitsTheText(*bytes);
    m_text->setSource(asText ? bytes : std::make_shared<const std::string>());
    m_rows->setSource(std::move(bytes));
    showAs(asText ? static_cast<QWidget*>(m_text) : m_rows);
}

void SourceView::indexInBackground()
{
    m_rows->indexInBackground();
}

void SourceView::clear()
{
    setSource(std::make_shared<const std::string>());
}

const SourceRowModel& SourceView::rowModel() const
{
    return m_rows->rowModel();
}

const std::shared_ptr<const std::string>& SourceView::source() const
{
    return m_rows->source();
}

const SourceIndex& SourceView::lines()
{
    return m_rows->lines();
}

void SourceView::selectBytes(std::size_t offset, std::size_t length)
{
    if (showsText())
        m_text->selectBytes(offset, length);
    else
        m_rows->selectBytes(offset, length);
}

std::size_t SourceView::cursorOffset() const
{
    return showsText() ? m_text->cursorOffset() : m_rows->cursorOffset();
}

std::string_view SourceView::selectedBytes() const
{
    return showsText() ? m_text->selectedBytes() : m_rows->selectedBytes();
}

void SourceView::setCaption(const QString& caption)
{
    setAccessibleName(caption);
    m_rows->setAccessibleName(caption);
    m_text->setAccessibleName(caption);
}

bool SourceView::showsText() const
{
    return currentWidget() == m_text;
}

// Focus given to the view, or to its rows by the find bar, goes to what is shown.
void SourceView::showAs(QWidget* view)
{
    setCurrentWidget(view);
    setFocusProxy(view);
    m_rows->setFocusProxy(view == m_text ? m_text : nullptr);
}

} // namespace vorelind
