#pragma once

#include <QString>

#include <filesystem>

namespace vorelind {

// "Vorelind": the task-bar name of the program and the caption of its error box.
QString applicationTitle();

// Sets the application's name and icon, loads Qt's own Japanese texts, maps the window design's font
// families to installed Japanese fonts of the same metrics, so that the
// designed fonts are asked for by name and Japanese never shows as boxes,
// and has large blocks of memory given back to the system once freed.
void setUpApplication();

// The file named on the command line, as an absolute path; empty when none
// is named. It is taken before the window's start-up moves the current
// folder to the stored one.
std::filesystem::path fileToOpen(const std::filesystem::path& file);

} // namespace vorelind
