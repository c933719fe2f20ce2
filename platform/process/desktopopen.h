#pragma once

#include <string>

namespace vorelind {

// Opens the UTF-8 file path or address with the program that the system
// associates with it, through ShellExecuteW with the show state SW_SHOW.
// The outcome is not examined. Windows only: elsewhere Shell::open asks
// Qt's desktop services.
void openWithAssociatedProgram(const std::string& target);

} // namespace vorelind
