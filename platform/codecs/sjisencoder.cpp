#include "platform/codecs/sjisencoder.h"

#include "platform/codecs/codepage932.h"
#include "platform/codecs/iculibrary.h"
#include "util/apperror.h"

namespace vorelind {

namespace {

// ICU's name for code page 932 with the NEC and IBM extensions.
constexpr char kCodePage932[] = "windows-31j";

// "〓", the customary mark for a character that Shift-JIS cannot hold.
constexpr char kSubstitute[] = "\x81\xac";

// Room for one call: a UTF-16 unit gives at most two bytes.
constexpr std::size_t kBytesPerUnit = 2;
constexpr std::size_t kSpareBytes = 16;

} // namespace

SjisEncoder::SjisEncoder()
{
    const IcuLibrary& icu = icuLibrary();
    UErrorCode status = U_ZERO_ERROR;
    m_converter = icu.open(kCodePage932, &status);
    if (U_FAILURE(status))
        throw AppError(std::string("No ICU converter for ") + kCodePage932);
    icu.setFallback(m_converter, true);
    // Without this ICU writes FC FC, a user-defined character, for what it cannot map.
    icu.setSubstChars(m_converter, kSubstitute, 2, &status);
}

SjisEncoder::~SjisEncoder()
{
    icuLibrary().close(m_converter);
}

void SjisEncoder::encode(std::u16string_view text, std::string& out, bool last)
{
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t replacement = codePage932Form(text[i]);
        if (replacement != text[i]) {
            encodePiece(text.substr(pieceStart, i - pieceStart), out, false);
            encodePiece(std::u16string_view(&replacement, 1), out, false);
            pieceStart = i + 1;
        }
    }
    encodePiece(text.substr(pieceStart), out, last);
}

void SjisEncoder::encodePiece(std::u16string_view text, std::string& out, bool last)
{
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* const sourceEnd = source + text.size();
    const IcuLibrary& icu = icuLibrary();
    UErrorCode status = U_BUFFER_OVERFLOW_ERROR;
    while (status == U_BUFFER_OVERFLOW_ERROR) {
        const std::size_t used = out.size();
        out.resize(used + static_cast<std::size_t>(sourceEnd - source) * kBytesPerUnit + kSpareBytes);
        char* const targetStart = out.data() + used;
        char* target = targetStart;
        status = U_ZERO_ERROR;
        icu.fromUnicode(m_converter, &target, out.data() + out.size(), &source, sourceEnd, nullptr, last, &status);
        out.resize(used + static_cast<std::size_t>(target - targetStart));
    }
}

} // namespace vorelind
