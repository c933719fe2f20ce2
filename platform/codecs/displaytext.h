#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vorelind {

// The one place where document bytes become displayed text and typed text
// becomes document bytes. Bytes that are not valid Shift-JIS display as
// replacement characters; the bytes themselves are never changed.
QString toDisplayText(std::string_view sjis);

// Typed text to Shift-JIS; a character with no Shift-JIS form becomes "〓".
std::string fromDisplayText(const QString& text);

} // namespace vorelind
