#pragma once

#include <QString>

namespace vorelind {

// "Vorelind": the task-bar name of the program and the caption of its error box.
QString applicationTitle();

// Sets the application's name and icon, loads Qt's own Japanese texts, and maps the window design's font
// families to installed Japanese fonts of the same metrics, so that the
// designed fonts are asked for by name and Japanese never shows as boxes.
void setUpApplication();

} // namespace vorelind
