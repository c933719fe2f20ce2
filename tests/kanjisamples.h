#pragma once

// Japanese samples in every encoding the kanji layer reads, built at test
// time with the C library's iconv so that they do not depend on ICU.

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

// A page with markup, half-width katakana, NEC special characters, the
// characters whose Unicode form differs between Shift-JIS tables (～, －, ∥,
// ￠, ￡, ￢ as code page 932 maps them) and every kind of line break.
inline constexpr std::string_view kSamplePage =
    "<html><head><title>日本語のテスト</title></head>\r\n"
    "<body>\n"
    "<p>ｶﾀｶﾅ ①㈱ ～－∥ ￠￡￢ 漢字・かな・カナ</p>\r"
    "</body></html>\r\n";

// The sample page as the source view holds it: every line break CR LF.
inline constexpr std::string_view kSamplePageInView =
    "<html><head><title>日本語のテスト</title></head>\r\n"
    "<body>\r\n"
    "<p>ｶﾀｶﾅ ①㈱ ～－∥ ￠￡￢ 漢字・かな・カナ</p>\r\n"
    "</body></html>\r\n";

// "〓" in Shift-JIS, the mark for a character Shift-JIS cannot hold.
inline constexpr char kGeta[] = "\x81\xac";

// Text in the encoding named by iconv, from UTF-8.
inline std::string recoded(std::string_view utf8, const char* encoding)
{
    const iconv_t converter = iconv_open(encoding, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv knows no ") + encoding);
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &target, &targetLeft);
    iconv(converter, nullptr, nullptr, &target, &targetLeft); // back to ASCII for stateful encodings
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error(std::string("iconv cannot write the sample in ") + encoding);
    out.resize(out.size() - targetLeft);
    return out;
}

inline std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

inline std::string shiftJis(std::string_view utf8)
{
    return recoded(utf8, "CP932");
}

// ISO-2022-JP as Microsoft writes it (code page 50221): EUC-JP's double-byte
// characters, NEC's row 13 included, after ESC $ B, and its half-width
// katakana after ESC ( I.
inline std::string iso2022FromEucJp(std::string_view eucJp)
{
    enum class Mode { Ascii, Kanji, Kana } mode = Mode::Ascii;
    std::string jis;
    const auto switchTo = [&](Mode wanted, const char* escape) {
        if (mode != wanted)
            jis += escape;
        mode = wanted;
    };
    for (std::size_t i = 0; i < eucJp.size(); ++i) {
        const auto byte = static_cast<unsigned char>(eucJp[i]);
        if (byte < 0x80) {
            switchTo(Mode::Ascii, "\x1b(B");
            jis += static_cast<char>(byte);
        } else if (byte == 0x8e) {
            switchTo(Mode::Kana, "\x1b(I");
            jis += static_cast<char>(static_cast<unsigned char>(eucJp[++i]) - 0x80);
        } else {
            switchTo(Mode::Kanji, "\x1b$B");
            jis += static_cast<char>(byte - 0x80);
            jis += static_cast<char>(static_cast<unsigned char>(eucJp[++i]) - 0x80);
        }
    }
    switchTo(Mode::Ascii, "\x1b(B");
    return jis;
}

// The sample page in each encoding the layer recognises.
inline std::string eucJpPage() { return recoded(kSamplePage, "EUC-JP-MS"); }
inline std::string utf16LePage() { return "\xff\xfe" + recoded(kSamplePage, "UTF-16LE"); }
inline std::string utf16BePage() { return "\xfe\xff" + recoded(kSamplePage, "UTF-16BE"); }
