#include "tools/kivalter/nestingchart.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace vorelind {

namespace {

constexpr int kMargin = 6;
constexpr int kTickHeight = 5;

} // namespace

NestingChart::NestingChart(const LineAnalysis& analysis, QWidget* parent)
    : QWidget(parent)
    , m_analysis(analysis)
{
    for (std::size_t row = 0; row < analysis.lineCount(); ++row)
        m_maxLevel = std::max(m_maxLevel, analysis.level(row));
    setMinimumHeight(80);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("行ごとの入れ子の深さ。クリックでその行へ"));
}

void NestingChart::setCurrentLine(int line)
{
    if (line == m_currentLine)
        return;
    m_currentLine = line;
    update();
}

QSize NestingChart::sizeHint() const
{
    return {480, 140};
}

QRect NestingChart::plotArea() const
{
    return rect().adjusted(kMargin, kMargin + kTickHeight + 2, -kMargin, -kMargin);
}

int NestingChart::lineAtColumn(int x) const
{
    const QRect area = plotArea();
    const auto lines = static_cast<long long>(m_analysis.lineCount());
    const long long line = static_cast<long long>(x - area.left()) * lines / std::max(1, area.width());
    return static_cast<int>(std::clamp(line, 0LL, std::max(0LL, lines - 1)));
}

int NestingChart::columnOfLine(int line) const
{
    const QRect area = plotArea();
    const auto lines = std::max<long long>(1, static_cast<long long>(m_analysis.lineCount()));
    return area.left() + static_cast<int>(static_cast<long long>(line) * area.width() / lines);
}

void NestingChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QRect area = plotArea();
    const std::size_t count = m_analysis.lineCount();
    if (count == 0 || area.width() <= 0 || area.height() <= 0)
        return;
    const double levelHeight = static_cast<double>(area.height()) / static_cast<double>(m_maxLevel + 1);
    // Each column covers the lines from its first to the next column's first.
    for (int x = area.left(); x <= area.right(); ++x) {
        const auto first = static_cast<std::size_t>(lineAtColumn(x));
        const std::size_t last = std::max(first + 1, static_cast<std::size_t>(lineAtColumn(x + 1)));
        std::size_t deepest = 0;
        bool unbalanced = false;
        for (std::size_t i = first; i < last && i < count; ++i) {
            deepest = std::max(deepest, m_analysis.level(i));
            unbalanced = unbalanced || isUnmatched(m_analysis.balance(i));
        }
        const int height = static_cast<int>(levelHeight * static_cast<double>(deepest + 1));
        painter.setPen(QColor(70, 130, 90));
        painter.drawLine(x, area.bottom(), x, area.bottom() - height + 1);
        if (unbalanced) {
            painter.setPen(QColor(200, 40, 40));
            painter.drawLine(x, kMargin, x, kMargin + kTickHeight);
        }
    }
    if (m_currentLine >= 0) {
        painter.setPen(QPen(QColor(40, 70, 220), 1));
        const int x = columnOfLine(m_currentLine);
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}

void NestingChart::mousePressEvent(QMouseEvent* event)
{
    if (m_analysis.lineCount() > 0)
        emit lineClicked(lineAtColumn(static_cast<int>(event->position().x())));
}

} // namespace vorelind
