#include "platform/codecs/sjistext.h"

#include "platform/codecs/sjisencoder.h"
#include "platform/codecs/textdecoder.h"

#include <algorithm>

namespace vorelind {

namespace {

constexpr char kCodePage932[] = "windows-31j";

// Long texts are converted in pieces of this many bytes, so the UTF-16
// between the two converters stays small.
constexpr std::size_t kPieceBytes = 1 << 16;

// Appends the UTF-8 form of a character of the Basic Multilingual Plane,
// where every character that code page 932 decodes to lies.
void appendUtf8(char16_t unit, std::string& utf8)
{
    if (unit < 0x80) {
        utf8 += static_cast<char>(unit);
    } else if (unit < 0x800) {
        utf8 += static_cast<char>(0xC0 | unit >> 6);
        utf8 += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | unit >> 12);
        utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
        utf8 += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

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
    std::string utf8;
    utf8.reserve(sjis.size() * 3 / 2);
    for (const char16_t unit : sjisToUtf16(sjis))
        appendUtf8(unit, utf8);
    return utf8;
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
    std::string utf8 = pathUtf8(path);
    // ASCII bytes are the same in both, and ASCII paths, by far the most
    // common, need no converter.
    if (isAscii(utf8))
        return utf8;
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
