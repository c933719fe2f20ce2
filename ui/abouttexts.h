#pragma once

#include <string>
#include <string_view>

namespace vorelind {

// The three texts that the About dialog fills at each opening (Shift-JIS).
struct AboutTexts {
    std::string version;   // "Ver." + file version
    std::string comments;  // "Remarks:" + Comments, CR LF, "Nkf" + library version + "を使用"
    std::string copyright; // "Copyright:" + LegalCopyright
};

// Builds the texts from the version record's values (empty when the
// executable has none) and the conversion library's version text.
AboutTexts aboutTexts(std::string_view versionText, std::string_view comments, std::string_view legalCopyright,
                      std::string_view nkfVersion);

// The conversion library's version: what GetNkfVersion writes into a
// zero-filled area, up to the first NUL. Read afresh at each call.
std::string nkfVersionText();

} // namespace vorelind
