#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Splits a UTF-8 command line into words as a Windows program's start-up
// code does: blanks and TABs separate words unless quoted; a quote opens or
// closes quoting ("" inside quotes gives one quote); backslashes stand for
// themselves except before a quote, where each pair gives one backslash and
// an odd one makes the quote literal. A line without quotes splits at runs
// of blanks and TABs.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// The text as one word of a command line that splitCommandLine gives back
// unchanged: as it stands when it holds no blank, TAB or quote and is not
// empty, else quoted with its quotes and the backslashes before them escaped.
std::string commandLineWord(std::string_view text);

} // namespace vorelind
