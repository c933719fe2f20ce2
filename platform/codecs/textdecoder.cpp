#include "platform/codecs/textdecoder.h"

#include "platform/codecs/iculibrary.h"
#include "util/apperror.h"

namespace vorelind {

namespace {

// Room for one call: no byte gives more than one UTF-16 unit, except that a
// character completed from the previous call's bytes may give two.
constexpr std::size_t kSpareUnits = 16;

// The errors by which ICU reports bytes it cannot decode.
bool isInvalidInput(UErrorCode status)
{
    return status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_CHAR_FOUND || status == U_TRUNCATED_CHAR_FOUND
        || status == U_ILLEGAL_ESCAPE_SEQUENCE || status == U_UNSUPPORTED_ESCAPE_SEQUENCE;
}

} // namespace

TextDecoder::TextDecoder(const char* icuName)
{
    const IcuLibrary& icu = icuLibrary();
    UErrorCode status = U_ZERO_ERROR;
    m_converter = icu.open(icuName, &status);
    if (U_FAILURE(status))
        throw AppError(std::string("No ICU converter for ") + icuName);
    // Stopping at each invalid sequence lets decode() note where it was.
    icu.setToUCallBack(m_converter, icu.stopAtInvalid, nullptr, nullptr, nullptr, &status);
}

TextDecoder::~TextDecoder()
{
    icuLibrary().close(m_converter);
}

std::size_t TextDecoder::decode(std::string_view bytes, std::u16string& out, bool last)
{
    const IcuLibrary& icu = icuLibrary();
    std::size_t firstFailure = std::string_view::npos;
    const char* source = bytes.data();
    const char* const sourceEnd = source + bytes.size();
    for (;;) {
        const std::size_t used = out.size();
        out.resize(used + static_cast<std::size_t>(sourceEnd - source) + kSpareUnits);
        auto* const targetStart = reinterpret_cast<UChar*>(out.data() + used);
        UChar* target = targetStart;
        UErrorCode status = U_ZERO_ERROR;
        icu.toUnicode(m_converter, &target, reinterpret_cast<UChar*>(out.data() + out.size()), &source, sourceEnd,
                       nullptr, last, &status);
        out.resize(used + static_cast<std::size_t>(target - targetStart));
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_SUCCESS(status))
            return firstFailure;
        if (!isInvalidInput(status))
            throw AppError(std::string("ICU cannot decode: ") + icu.errorName(status));
        // ICU has consumed the invalid sequence; decoding goes on after it.
        if (firstFailure == std::string_view::npos)
            firstFailure = static_cast<std::size_t>(source - bytes.data());
        out += u'\uFFFD';
    }
}

} // namespace vorelind
