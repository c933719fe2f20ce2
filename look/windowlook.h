#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace vorelind {

// A font of the window design: a family asked for by name (mapped to an
// installed font at start) and a size in pixels.
QFont designFont(const QString& family, int pixelSize, QFont::Weight weight = QFont::Normal);

// Fills the background of a view (a list, a tree) with a colour of the
// window design, behind its items too.
void setBackground(QWidget& widget, const QColor& colour);

// The tint of the lines, nodes and tags whose start or end tag has no partner.
QColor unmatchedTint();

// Fills a panel or dialog with a colour of the window design; the edit
// fields on it keep a white field.
void setPanelBackground(QWidget& widget, const QColor& colour);

} // namespace vorelind
