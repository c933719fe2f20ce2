#include "platform/sjistext.h"

#include "platform/sjisencoder.h"
#include "platform/textdecoder.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

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
    std::string utf8;
    utf8.reserve(text.size() * 3 / 2);
    for (std::size_t i = 0; i < text.size();) {
        UChar32 codePoint;
        U16_NEXT(text.data(), i, text.size(), codePoint);
        char bytes[U8_MAX_LENGTH];
        std::size_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, codePoint);
        utf8.append(bytes, length);
    }
    return utf8;
}

std::string utf8ToSjis(std::string_view utf8)
{
    return encodingToSjis(utf8, "UTF-8");
}

std::string pathUtf8(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    // The file system's names are UTF-8 bytes here, taken as they stand.
    return path.native();
#endif
}

std::string pathText(const std::filesystem::path& path)
{
    return utf8ToSjis(pathUtf8(path));
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
