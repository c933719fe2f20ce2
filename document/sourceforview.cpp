#include "document/sourceforview.h"

#include "document/sourceloader.h"
#include "platform/codecs/encodingguess.h"
#include "platform/codecs/nkf32.h"

#include <optional>
#include <utility>

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

// The converted text; the file's bytes are let go before it is loaded.
std::string convertedText(std::string fileBytes)
{
    return NkfConvert(conversionInput(fileBytes));
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

std::string sourceForView(std::string fileBytes, bool convertToShiftJis)
{
    if (!convertToShiftJis)
        return loadText(std::move(fileBytes));
    const bool optionAccepted = SetNkfOption("-s") == 0;
    return convertedSourceText(std::move(fileBytes), optionAccepted);
}

std::string convertedSourceText(std::string fileBytes, bool optionAccepted)
{
    // Text that the layer would hand back byte for byte is loaded as it
    // stands, without a copy of the page in between; loading ends it at
    // its first NUL, as the conversion would.
    if (!optionAccepted || !icuConverterName(guessEncoding(conversionInput(fileBytes)).encoding))
        return loadText(std::move(fileBytes));
    return loadText(convertedText(std::move(fileBytes)));
}

} // namespace vorelind
