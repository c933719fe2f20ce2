#pragma once

// Small pieces that the main window and its panes share.

#include <QLatin1String>
#include <Qt>

namespace vorelind {

// Gives a view the name of the window design, by which it is found, and returns it.
template <typename View>
View* named(View* view, const char* name)
{
    view->setObjectName(QLatin1String(name));
    return view;
}

// Whether a key is Enter, on the main keyboard or the number pad.
inline bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace vorelind
