#pragma once

namespace vorelind {

// Loads Qt's own Japanese texts and makes Japanese the default locale, so
// that the standard dialogs and buttons speak the program's language
// whatever the system's locale. Without the translation installed the texts
// stay Qt's English ones.
void installQtTranslations();

} // namespace vorelind
