#pragma once

#include <QIcon>

namespace vorelind {

// The program's own 32 x 32, 16-colour icon, for the window and the About dialog.
QIcon programIcon();

} // namespace vorelind
