#include "ui/sourcetextedit.h"

#include "platform/codecs/displaytext.h"
#include "util/sjis.h"

#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace vorelind {

namespace {

constexpr int kNumberMargin = 6;

// The bytes one character of the shown text stands for at an offset: a
// line break of CR LF and a double-byte character take two.
std::size_t characterBytes(std::string_view text, std::size_t offset)
{
    const auto byte = static_cast<unsigned char>(text[offset]);
    const bool pair = (byte == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n')
        || (isSjisLeadByte(byte) && offset + 1 < text.size());
    return pair ? 2 : 1;
}

// The text as the view holds it: every line break one "\n".
QString shownLines(std::string_view sjis)
{
    QString text = toDisplayText(sjis);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

SourceTextEdit::SourceTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_bytes(std::make_shared<const std::string>())
    , m_lineNumbers(new QWidget(this))
{
    setLineWrapMode(WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_lineNumbers->installEventFilter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &SourceTextEdit::updateLineNumberWidth);
    connect(this, &QPlainTextEdit::updateRequest, m_lineNumbers, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_lineNumbers->scroll(0, dy);
        else
            m_lineNumbers->update(0, rect.y(), m_lineNumbers->width(), rect.height());
    });
    updateLineNumberWidth();
}

void SourceTextEdit::setSource(std::shared_ptr<const std::string> bytes)
{
    m_selection.reset();
    m_bytes = std::move(bytes);
    setPlainText(shownLines(*m_bytes));
    numberLines();
}

// The number rides with its block through edits: a block keeps its state
// when text is typed before it.
void SourceTextEdit::numberLines()
{
    const std::string_view text = *m_bytes;
    QTextBlock block = document()->begin();
    int line = 1;
    block.setUserState(line);
    for (std::size_t at = 0; at < text.size() && block.isValid(); ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        // Only CR LF ends a line of the source; a lone LF or CR goes on with it.
        const bool endsLine = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        if (endsLine) {
            ++at;
            ++line;
        }
        block = block.next();
        // The last break starts no line, as it starts no row.
        if (block.isValid())
            block.setUserState(endsLine && at + 1 < text.size() ? line : 0);
    }
}

std::size_t SourceTextEdit::lineNumberOfBlock(int block) const
{
    return static_cast<std::size_t>(std::max(0, document()->findBlockByNumber(block).userState()));
}

void SourceTextEdit::selectBytes(std::size_t offset, std::size_t length)
{
    const std::size_t end = std::min(offset + length, m_bytes->size());
    offset = std::min(offset, end);
    QTextCursor cursor(document());
    cursor.setPosition(positionOf(offset));
    cursor.setPosition(positionOf(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    centerCursor();
    m_selection = Selection{offset, end - offset};
}

std::size_t SourceTextEdit::cursorOffset() const
{
    return m_selection ? m_selection->offset : offsetOf(textCursor().selectionStart());
}

std::string_view SourceTextEdit::selectedBytes() const
{
    if (!m_selection)
        return {};
    return std::string_view(*m_bytes).substr(m_selection->offset, m_selection->length);
}

// The loaded text is walked from its start: a jump is rare, and the view
// holds only pages that it walks at once.
int SourceTextEdit::positionOf(std::size_t offset) const
{
    const std::string_view text = *m_bytes;
    int position = 0;
    for (std::size_t at = 0; at < offset && at < text.size(); at += characterBytes(text, at))
        ++position;
    return std::min(position, document()->characterCount() - 1);
}

std::size_t SourceTextEdit::offsetOf(int position) const
{
    const std::string_view text = *m_bytes;
    std::size_t at = 0;
    for (int passed = 0; passed < position && at < text.size(); ++passed)
        at += characterBytes(text, at);
    return at;
}

bool SourceTextEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lineNumbers && event->type() == QEvent::Paint) {
        paintLineNumbers();
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void SourceTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_lineNumbers->setGeometry(area.left(), area.top(), viewportMargins().left(), area.height());
}

// A key or a click moves the cursor where the user wants it.
void SourceTextEdit::keyPressEvent(QKeyEvent* event)
{
    m_selection.reset();
    QPlainTextEdit::keyPressEvent(event);
}

void SourceTextEdit::mousePressEvent(QMouseEvent* event)
{
    m_selection.reset();
    QPlainTextEdit::mousePressEvent(event);
}

void SourceTextEdit::updateLineNumberWidth()
{
    const int digits = static_cast<int>(QString::number(blockCount()).size());
    setViewportMargins(fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + 2 * kNumberMargin, 0, 0, 0);
}

// A line is numbered on its first row only; the rows it wraps onto, and
// the blocks that go on with it, show none.
void SourceTextEdit::paintLineNumbers()
{
    QPainter painter(m_lineNumbers);
    painter.fillRect(m_lineNumbers->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int rowHeight = fontMetrics().height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF shape = blockBoundingGeometry(block).translated(contentOffset());
        if (shape.top() > m_lineNumbers->height())
            break;
        if (block.isVisible() && block.userState() > 0)
            painter.drawText(0, static_cast<int>(shape.top()), m_lineNumbers->width() - kNumberMargin, rowHeight,
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(block.userState()));
    }
}

} // namespace vorelind
