#include "ui/pagetabbar.h"

#include <QHelpEvent>
#include <QStyleOptionTab>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <vector>

namespace vorelind {

namespace {

const QString kNameOpen = QStringLiteral("「");
const QString kNameClose = QStringLiteral("」");
constexpr QChar kEllipsis(0x2026);

// A dot that opens the name starts no extension.
QString withoutExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// The name's first and last characters, kept in all, around "…".
QString cutInTheMiddle(const QString& name, qsizetype kept)
{
    const qsizetype head = (kept + 1) / 2;
    return name.left(head) + kEllipsis + name.right(kept - head);
}

QString withMnemonicsEscaped(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

PageTabBar::PageTabBar(QWidget* parent)
    : QTabBar(parent)
{
    // The captions are fitted here, not by the toolkit.
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(false);
}

QSize PageTabBar::sizeHint() const
{
    return {availableWidth(), QTabBar::sizeHint().height()};
}

bool PageTabBar::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTabBar::event(event);
    showCaption(*static_cast<QHelpEvent*>(event));
    return true;
}

// The tab's own tooltip, or else its caption as it reads, with "&" where the tab shows one.
void PageTabBar::showCaption(const QHelpEvent& event)
{
    const int index = tabAt(event.pos());
    if (index < 0) {
        QToolTip::hideText();
        return;
    }
    const QString tip = tabToolTip(index);
    QToolTip::showText(event.globalPos(),
                       tip.isEmpty() ? tabText(index).replace(QStringLiteral("&&"), QStringLiteral("&")) : tip, this);
}

QString PageTabBar::fittedCaption(const QString& caption, const QFontMetrics& metrics, int width)
{
    const auto fits = [&](const QString& text) { return metrics.size(Qt::TextShowMnemonic, text).width() <= width; };
    if (fits(caption))
        return caption;
    const qsizetype open = caption.indexOf(kNameOpen);
    const qsizetype close = caption.lastIndexOf(kNameClose);
    if (open < 0 || close <= open)
        return metrics.elidedText(caption, Qt::ElideMiddle, width, Qt::TextShowMnemonic);
    const QString head = caption.left(open + 1);
    const QString tail = caption.mid(close);
    // Cut as it reads, so that a cut never parts the two marks of one "&".
    const QString name = withoutExtension(caption.mid(open + 1, close - open - 1)).replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (const QString whole = head + withMnemonicsEscaped(name) + tail; fits(whole))
        return whole;
    for (qsizetype kept = name.size() - 1; kept > 0; --kept) {
        const QString cut = head + withMnemonicsEscaped(cutInTheMiddle(name, kept)) + tail;
        if (fits(cut))
            return cut;
    }
    return metrics.elidedText(head + kEllipsis + tail, Qt::ElideRight, width, Qt::TextShowMnemonic);
}

void PageTabBar::initStyleOption(QStyleOptionTab* option, int index) const
{
    QTabBar::initStyleOption(option, index);
    const int width = style()->subElementRect(QStyle::SE_TabBarTabText, option, this).width();
    option->text = fittedCaption(option->text, option->fontMetrics, width);
}

QSize PageTabBar::minimumSizeHint() const
{
    return {0, QTabBar::minimumSizeHint().height()};
}

QSize PageTabBar::tabSizeHint(int index) const
{
    QSize hint = QTabBar::tabSizeHint(index);
    hint.setWidth(std::min(hint.width(), widthCap()));
    return hint;
}

// Without it the toolkit would shrink every tab, the short ones too.
QSize PageTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

int PageTabBar::availableWidth() const
{
    return parentWidget() ? parentWidget()->width() : width();
}

int PageTabBar::widthCap() const
{
    std::vector<int> widths;
    for (int index = 0; index < count(); ++index)
        widths.push_back(QTabBar::tabSizeHint(index).width());
    std::sort(widths.begin(), widths.end());
    int room = availableWidth();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int share = room / static_cast<int>(widths.size() - i);
        if (widths[i] > share)
            return share;
        room -= widths[i];
    }
    return INT_MAX;
}

} // namespace vorelind
