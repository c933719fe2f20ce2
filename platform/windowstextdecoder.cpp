// TextDecoder through the system's code pages.

#include "platform/textdecoder.h"

#include "util/apperror.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace vorelind {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// UTF-16 the system decodes only for managed code: it is read here.
constexpr unsigned kUtf16Le = 1200;
constexpr unsigned kUtf16Be = 1201;
// ISO-2022-JP with half-width katakana after ESC ( I, as the system reads every variant.
constexpr unsigned kIso2022Jp = 50221;

struct NamedCodePage {
    const char* name;
    unsigned codePage;
};

// The converters the program asks ICU for, by ICU's names.
constexpr NamedCodePage kCodePages[] = {
    {"windows-31j", 932}, {"EUC-JP", 20932}, {"ISO-2022-JP", kIso2022Jp},
    {"UTF-8", CP_UTF8},   {"UTF-16LE", kUtf16Le}, {"UTF-16BE", kUtf16Be},
};

// The longest character of the code pages read one character at a time.
constexpr std::size_t kLongestCharacter = 4;

// A code page the system lacks (Wine has no ISO-2022-JP) is refused up
// front: decoding would silently give nothing.
unsigned codePageNamed(const char* name)
{
    for (const NamedCodePage& known : kCodePages) {
        if (std::strcmp(known.name, name) != 0)
            continue;
        if (known.codePage != kUtf16Le && known.codePage != kUtf16Be && !IsValidCodePage(known.codePage))
            break;
        return known.codePage;
    }
    throw AppError(std::string("No code page for ") + name);
}

// Appends the UTF-16 form of bytes that hold whole characters only; false
// when the system finds an invalid sequence among them.
bool decodeStrictly(unsigned codePage, std::string_view bytes, std::u16string& out)
{
    if (bytes.empty())
        return true;
    const int size = static_cast<int>(bytes.size());
    const DWORD flags = codePage == kIso2022Jp ? 0 : MB_ERR_INVALID_CHARS;
    const std::size_t used = out.size();
    out.resize(used + bytes.size());
    const int count = MultiByteToWideChar(codePage, flags, bytes.data(), size,
                                          reinterpret_cast<wchar_t*>(out.data() + used), size);
    out.resize(used + static_cast<std::size_t>(count > 0 ? count : 0));
    return count > 0;
}

void decodeUtf16(unsigned codePage, std::string_view bytes, std::u16string& out)
{
    for (std::size_t at = 0; at + 2 <= bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        out += static_cast<char16_t>(codePage == kUtf16Le ? first | second << 8 : first << 8 | second);
    }
}

} // namespace

TextDecoder::TextDecoder(const char* icuName)
    : m_codePage(codePageNamed(icuName))
{
}

TextDecoder::~TextDecoder() = default;

std::size_t TextDecoder::decode(std::string_view bytes, std::u16string& out, bool last)
{
    m_pending.append(bytes);
    std::size_t firstFailure = npos;
    if (m_codePage == kUtf16Le || m_codePage == kUtf16Be) {
        const std::size_t whole = m_pending.size() & ~std::size_t{1};
        decodeUtf16(m_codePage, std::string_view(m_pending).substr(0, whole), out);
        m_pending.erase(0, whole);
        if (last && !m_pending.empty()) {
            firstFailure = bytes.size() - m_pending.size();
            out += u'\uFFFD';
            m_pending.clear();
        }
        return firstFailure;
    }
    if (m_codePage == kIso2022Jp) {
        // The escapes carry a state from one piece to the next, which the
        // system does not keep: the text is read in one call at its end.
        if (last) {
            decodeStrictly(m_codePage, m_pending, out);
            m_pending.clear();
        }
        return firstFailure;
    }
    const std::string pending = std::move(m_pending);
    m_pending.clear();
    // Valid text goes in one call; only a piece with a fault, or with a
    // character cut at its end, is read one character at a time.
    if (!decodeStrictly(m_codePage, pending, out))
        decodeCharacters(pending, out, last, firstFailure);
    // Offsets count from the start of this call's bytes.
    const std::size_t carried = pending.size() - bytes.size();
    return firstFailure == npos ? npos : firstFailure > carried ? firstFailure - carried : 0;
}

// The shortest prefix that the system takes as a valid character is the
// next character; bytes that start none are one invalid byte each.
void TextDecoder::decodeCharacters(std::string_view bytes, std::u16string& out, bool last, std::size_t& firstFailure)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t length = 1;
        while (length <= kLongestCharacter && at + length <= bytes.size()
               && !decodeStrictly(m_codePage, bytes.substr(at, length), out))
            ++length;
        if (length <= kLongestCharacter && at + length <= bytes.size()) {
            at += length;
            continue;
        }
        if (!last && bytes.size() - at < kLongestCharacter) {
            m_pending.assign(bytes.substr(at));
            return;
        }
        if (firstFailure == npos)
            firstFailure = at;
        out += u'\uFFFD';
        ++at;
    }
}

} // namespace vorelind
