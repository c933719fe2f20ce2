#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// Returns whether a file name matches a mask of one or more patterns
// separated by ";", the way Windows matches file names: "*" stands for any
// run of characters, "?" for one character (a Shift-JIS double-byte
// character is one), letters match without regard to case, a pattern ending
// in "." takes only names without an extension, and one ending in ".*" also
// takes names without an extension. An empty pattern matches nothing.
bool matchesFileMask(std::string_view mask, std::string_view fileName);

// The choices of the extension mask dialog, by item index.
enum MaskChoice : int { kHtmlFiles = 0, kAllFiles = 1, kOneExtension = 2 };

// Returns the dialog's choice for a mask, compared byte for byte.
int maskChoiceOf(std::string_view mask);

// Returns what the extension field shows for a mask of the third form: its
// characters from the third on, at most 20 of them.
std::string_view presetExtensionOf(std::string_view mask);

// Builds the mask for a dialog choice and the text of its extension field.
std::string maskForChoice(int choice, std::string_view extension);

} // namespace vorelind
