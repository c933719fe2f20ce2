#include "document/sourceforview.h"

#include "document/sourceloader.h"
#include "platform/codecs/encodingguess.h"
#include "platform/codecs/nkf32.h"

#include <optional>

namespace vorelind {

namespace {

bool startsWithUtf16ByteOrderMark(std::string_view bytes)
{
    const std::optional<ByteOrderMark> mark = byteOrderMarkOf(bytes);
    return mark && (mark->encoding == SourceEncoding::Utf16Le || mark->encoding == SourceEncoding::Utf16Be);
}

// Converting before loading: the loading rule reads bytes as Shift-JIS, so
// applied to EUC-JP or UTF-8 it would take a line break after a byte in the
// lead-byte range for a second byte and leave it unconverted.
std::string_view conversionInput(std::string_view fileBytes)
{
    if (startsWithUtf16ByteOrderMark(fileBytes))
        return fileBytes;
    return fileBytes.substr(0, fileBytes.find('\0'));
}

} // namespace

TextVerdict judgeSourceHead(std::string_view head, bool convertToShiftJis)
{
    head = head.substr(0, kSourceHeadLength);
    const TextVerdict verdict = judgeText(head);
    if (!convertToShiftJis || verdict == TextVerdict::Text || !startsWithUtf16ByteOrderMark(head))
        return verdict;
    return judgeText(NkfConvert(head));
}

std::string sourceForView(std::string_view fileBytes, bool convertToShiftJis)
{
    if (!convertToShiftJis)
        return loadText(fileBytes);
    const bool optionAccepted = SetNkfOption("-s") == 0;
    return convertedSourceText(fileBytes, optionAccepted);
}

std::string convertedSourceText(std::string_view fileBytes, bool optionAccepted)
{
    if (!optionAccepted)
        return loadText(fileBytes);
    const std::string_view input = conversionInput(fileBytes);
    // Text that the layer would hand back byte for byte is loaded as it
    // stands, without a copy of the page in between.
    if (!icuConverterName(guessEncoding(input).encoding))
        return loadText(input);
    return loadText(NkfConvert(input));
}

} // namespace vorelind
