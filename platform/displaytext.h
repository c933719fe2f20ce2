#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vorelind {

// The one place where document bytes become displayed text and typed text
// becomes document bytes. Bytes that are not valid Shift-JIS display as
// replacement characters; the bytes themselves are never changed.
QString toDisplayText(std::string_view sjis);

// A view shows at most this many characters of a text, and "…" when it
// goes on: laying out a line of megabytes (an inline image, say) at once
// would freeze the window.
inline constexpr qsizetype kShownTextLength = 4096;

// The displayed text cut to what a view shows of it.
QString shownText(QString text);
// The same, converting no more bytes than it shows.
QString toShownText(std::string_view sjis);

// Typed text to Shift-JIS; a character with no Shift-JIS form becomes "〓".
std::string fromDisplayText(const QString& text);

} // namespace vorelind
