#include "look/windowlook.h"

#include <QPalette>
#include <QWidget>

namespace vorelind {

namespace {

// Window is the widget's own background, Base that of its fields and items.
void fill(QWidget& widget, const QColor& window, const QColor& base)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Base, base);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

QFont designFont(const QString& family, int pixelSize, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void setBackground(QWidget& widget, const QColor& colour)
{
    fill(widget, colour, colour);
}

void setPanelBackground(QWidget& widget, const QColor& colour)
{
    fill(widget, colour, Qt::white);
}

QColor unmatchedTint()
{
    return {255, 200, 200};
}

} // namespace vorelind
