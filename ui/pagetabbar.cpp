#include "ui/pagetabbar.h"

#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <vector>

namespace vorelind {

PageTabBar::PageTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setElideMode(Qt::ElideMiddle);
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

// The caption as it reads, with "&" where the tab shows one.
void PageTabBar::showCaption(const QHelpEvent& event)
{
    const int index = tabAt(event.pos());
    if (index < 0) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event.globalPos(), tabText(index).replace(QStringLiteral("&&"), QStringLiteral("&")), this);
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
