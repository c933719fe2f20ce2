#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Splits list-file bytes into entries: CR LF, a lone CR and a lone LF each end
// a line, text after the last break is a line, and a NUL ends the text.
// Every line is an entry, an empty line an empty entry.
std::vector<std::string> parseListText(std::string_view bytes);

// The list file's bytes: every entry followed by CR LF.
std::string listFileBytes(const std::vector<std::string>& entries);

} // namespace vorelind
