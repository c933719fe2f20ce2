#include "platform/codecs/displaytext.h"

#include "platform/codecs/sjistext.h"

namespace vorelind {

QString toDisplayText(std::string_view sjis)
{
    const std::u16string text = sjisToUtf16(sjis);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromDisplayText(const QString& text)
{
    return utf16ToSjis(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())));
}

} // namespace vorelind
