#include "platform/sjistext.h"

#include "platform/sjisencoder.h"
#include "platform/textdecoder.h"

#include <unicode/ustring.h>

namespace vorelind {

namespace {

constexpr char kCodePage932[] = "windows-31j";

// Long texts are converted in pieces of this many bytes, so the UTF-16
// between the two converters stays small.
constexpr std::size_t kPieceBytes = 1 << 16;

} // namespace

std::u16string sjisToUtf16(std::string_view sjis)
{
    std::u16string text;
    TextDecoder(kCodePage932).decode(sjis, text, true);
    return text;
}

std::string utf16ToSjis(std::u16string_view text)
{
    std::string sjis;
    SjisEncoder().encode(text, sjis, true);
    return sjis;
}

std::string sjisToUtf8(std::string_view sjis)
{
    const std::u16string text = sjisToUtf16(sjis);
    // Three bytes per UTF-16 unit is the most UTF-8 needs.
    std::string utf8(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &length, reinterpret_cast<const UChar*>(text.data()),
                static_cast<int32_t>(text.size()), &status);
    utf8.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return utf8;
}

std::string utf8ToSjis(std::string_view utf8)
{
    return encodingToSjis(utf8, "UTF-8");
}

std::string encodingToSjis(std::string_view bytes, const char* icuName)
{
    TextDecoder decoder(icuName);
    SjisEncoder encoder;
    std::string sjis;
    sjis.reserve(bytes.size());
    std::u16string piece;
    for (std::size_t start = 0; start < bytes.size(); start += kPieceBytes) {
        const bool last = bytes.size() - start <= kPieceBytes;
        piece.clear();
        decoder.decode(bytes.substr(start, kPieceBytes), piece, last);
        encoder.encode(piece, sjis, last);
    }
    return sjis;
}

} // namespace vorelind
