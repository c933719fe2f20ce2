// The kanji conversion layer on arbitrary bytes: what it leaves alone comes
// back byte for byte, and ASCII is never changed.

#include "require.h"

#include "document/sourceforview.h"
#include "platform/codecs/encodingguess.h"
#include "platform/codecs/nkf32.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace vorelind;

bool isLeftAlone(SourceEncoding encoding)
{
    return encoding == SourceEncoding::Ascii || encoding == SourceEncoding::ShiftJis
        || encoding == SourceEncoding::Unknown;
}

// The input folded to 7 bits, without the ESC that starts an ISO-2022-JP
// designation.
std::string asciiOf(std::string_view input)
{
    std::string ascii(input);
    for (char& byte : ascii) {
        byte = static_cast<char>(byte & 0x7F);
        if (byte == '\x1B')
            byte = ' ';
    }
    return ascii;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string converted = NkfConvert(input);
    if (isLeftAlone(guessEncoding(input).encoding))
        require(converted == input, "ASCII, Shift-JIS and unreadable text come back byte for byte");
    const std::string ascii = asciiOf(input);
    require(NkfConvert(ascii) == ascii, "ASCII is never changed");
    // The view's text: converted, then loaded up to its first NUL.
    convertedSourceText(std::string(input), true);
    return 0;
}
