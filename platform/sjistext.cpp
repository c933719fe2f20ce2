#include "platform/sjistext.h"

#include <unicode/ucnv.h>

#include <memory>

namespace vorelind {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's name for Windows code page 932 with the NEC and IBM extensions.
constexpr char kCodePage932[] = "windows-31j";

Converter openConverter(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

std::string convert(std::string_view text, const char* from, const char* to)
{
    Converter source = openConverter(from);
    Converter target = openConverter(to);
    if (!source || !target || text.empty())
        return std::string(text);
    // ICU's own substitute for code page 932 is FC FC, a character of the
    // user-defined area; "?" is what Windows writes.
    UErrorCode substitution = U_ZERO_ERROR;
    ucnv_setSubstChars(target.get(), "?", 1, &substitution);
    std::string out(text.size() * 3 + 16, '\0');
    char* outCursor = out.data();
    const char* inCursor = text.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_convertEx(target.get(), source.get(), &outCursor, out.data() + out.size(), &inCursor,
                   text.data() + text.size(), nullptr, nullptr, nullptr, nullptr, true, true, &status);
    if (U_FAILURE(status))
        return std::string(text);
    out.resize(static_cast<std::size_t>(outCursor - out.data()));
    return out;
}

constexpr char kUtf16[] = "UTF-16LE";

} // namespace

std::string sjisToUtf8(std::string_view sjis)
{
    return convert(sjis, kCodePage932, "UTF-8");
}

std::string utf8ToSjis(std::string_view utf8)
{
    return convert(utf8, "UTF-8", kCodePage932);
}

std::string utf16ToSjis(std::string_view utf16)
{
    return convert(utf16, kUtf16, kCodePage932);
}

std::string utf8ToUtf16(std::string_view utf8)
{
    return convert(utf8, "UTF-8", kUtf16);
}

} // namespace vorelind
