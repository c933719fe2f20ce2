#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace vorelind {

// A font of the window design: a family asked for by name (mapped to an
// installed font at start) and a size in pixels.
QFont designFont(const QString& family, int pixelSize, QFont::Weight weight = QFont::Normal);

// Fills the widget's background with a colour of the window design.
void setBackground(QWidget& widget, const QColor& colour);

} // namespace vorelind
