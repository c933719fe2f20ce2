#include "platform/displaytext.h"

#include "platform/sjistext.h"

namespace vorelind {

QString toDisplayText(std::string_view sjis)
{
    const std::u16string text = sjisToUtf16(sjis);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString shownText(QString text)
{
    if (text.size() <= kShownTextLength)
        return text;
    text.truncate(text.at(kShownTextLength - 1).isHighSurrogate() ? kShownTextLength - 1 : kShownTextLength);
    return text + QChar(0x2026);
}

QString toShownText(std::string_view sjis)
{
    // A character takes at most two bytes, so a text that goes on beyond
    // these bytes shows more characters than the cut.
    return shownText(toDisplayText(sjis.substr(0, 2 * static_cast<std::size_t>(kShownTextLength) + 2)));
}

std::string fromDisplayText(const QString& text)
{
    return utf16ToSjis(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())));
}

} // namespace vorelind
