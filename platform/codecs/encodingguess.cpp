#include "platform/codecs/encodingguess.h"

#include "platform/codecs/textdecoder.h"
#include "util/sjis.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vorelind {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The trial decoders read the bytes in pieces of this size; the guess stops
// after the first piece that leaves at most one of them decoding.
constexpr std::size_t kTrialPieceBytes = 1024;

constexpr std::size_t kDeclarationWindow = 4096;

// The designations of JIS X 0208 (1978 and 1983), JIS X 0212, half-width
// katakana and JIS Roman: one of them before any 8-bit byte means ISO-2022-JP.
constexpr std::string_view kJisDesignations[] = {"\x1b$@", "\x1b$B", "\x1b$(D", "\x1b(I", "\x1b(J"};

struct NamedEncoding {
    std::string_view name; // upper-cased
    SourceEncoding encoding;
};

constexpr NamedEncoding kCharsetNames[] = {
    {"SHIFT_JIS", SourceEncoding::ShiftJis},   {"SHIFT-JIS", SourceEncoding::ShiftJis},
    {"SJIS", SourceEncoding::ShiftJis},        {"X-SJIS", SourceEncoding::ShiftJis},
    {"WINDOWS-31J", SourceEncoding::ShiftJis}, {"CP932", SourceEncoding::ShiftJis},
    {"MS_KANJI", SourceEncoding::ShiftJis},    {"EUC-JP", SourceEncoding::EucJp},
    {"EUCJP", SourceEncoding::EucJp},          {"X-EUC-JP", SourceEncoding::EucJp},
    {"CP51932", SourceEncoding::EucJp},        {"ISO-2022-JP", SourceEncoding::Iso2022Jp},
    {"UTF-8", SourceEncoding::Utf8},           {"UTF8", SourceEncoding::Utf8},
};

bool startsJisDesignation(std::string_view bytes, std::size_t position)
{
    const std::string_view rest = bytes.substr(position);
    return std::any_of(std::begin(kJisDesignations), std::end(kJisDesignations),
                       [rest](std::string_view designation) { return rest.starts_with(designation); });
}

// Returns where the first 8-bit byte or JIS designation lies, or npos.
std::size_t firstNonAscii(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80 || (byte == 0x1b && startsJisDesignation(bytes, i)))
            return i;
    }
    return npos;
}

// In EUC-JP text, JIS rows 1 to 5 (punctuation, symbols, full-width
// letters, hiragana, katakana) are a large share of the double-byte
// characters; in half-width katakana read as EUC-JP they are rare.
bool looksLikeEucJp(std::string_view bytes)
{
    std::size_t characters = 0;
    std::size_t rowsOneToFive = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80)
            continue;
        if (byte == 0x8e) { // SS2: one half-width katakana follows
            i += 1;
            continue;
        }
        if (byte == 0x8f) { // SS3: one JIS X 0212 character follows
            i += 2;
            continue;
        }
        ++characters;
        if (byte <= 0xa5)
            ++rowsOneToFive;
        ++i;
    }
    return characters > 0 && rowsOneToFive * 4 >= characters;
}

// One encoding decoded alongside the others.
struct Trial {
    SourceEncoding encoding;
    TextDecoder decoder;
    std::size_t failedAt = npos;

    bool alive() const { return failedAt == npos; }
};

using Trials = Trial[3];

std::size_t aliveCount(const Trials& trials)
{
    return static_cast<std::size_t>(std::count_if(std::begin(trials), std::end(trials),
                                                  [](const Trial& trial) { return trial.alive(); }));
}

bool isAlive(const Trials& trials, SourceEncoding encoding)
{
    return std::any_of(std::begin(trials), std::end(trials),
                       [encoding](const Trial& trial) { return trial.encoding == encoding && trial.alive(); });
}

// The trial that went on decoding longest, when no other went as far; the
// one still alive goes furthest.
SourceEncoding longestSurvivor(const Trials& trials)
{
    const Trial* best = nullptr;
    bool shared = false;
    for (const Trial& trial : trials) {
        if (!best || trial.failedAt > best->failedAt) {
            best = &trial;
            shared = false;
        } else if (trial.failedAt == best->failedAt) {
            shared = true;
        }
    }
    return shared ? SourceEncoding::Unknown : best->encoding;
}

SourceEncoding tieBreak(const Trials& trials, std::string_view bytes)
{
    const std::optional<SourceEncoding> declared = declaredEncoding(bytes);
    if (declared && isAlive(trials, *declared))
        return *declared;
    // Text in other encodings is rarely valid UTF-8 for long.
    if (isAlive(trials, SourceEncoding::Utf8))
        return SourceEncoding::Utf8;
    // Both remain: Shift-JIS bytes with hiragana, katakana or the common
    // kanji are never valid EUC-JP, so these are EUC-JP text that also reads
    // as Shift-JIS half-width katakana, or the other way round.
    return looksLikeEucJp(bytes) ? SourceEncoding::EucJp : SourceEncoding::ShiftJis;
}

EncodingGuess guessByTrialDecoding(std::string_view bytes, std::size_t start)
{
    Trials trials = {
        {SourceEncoding::Utf8, TextDecoder("UTF-8")},
        {SourceEncoding::EucJp, TextDecoder("EUC-JP")},
        {SourceEncoding::ShiftJis, TextDecoder("windows-31j")},
    };
    std::u16string reading;
    std::size_t position = start;
    while (position < bytes.size()) {
        const std::string_view piece = bytes.substr(position, kTrialPieceBytes);
        for (Trial& trial : trials) {
            if (!trial.alive())
                continue;
            reading.clear();
            const std::size_t failure = trial.decoder.decode(piece, reading, false);
            if (failure != npos)
                trial.failedAt = position + failure;
        }
        position += piece.size();
        if (aliveCount(trials) <= 1)
            return {longestSurvivor(trials), 0, position};
    }
    return {tieBreak(trials, bytes), 0, position};
}

// The charset name that follows "=" and optional blanks and quotes.
std::string_view valueAfter(std::string_view text, std::size_t position)
{
    const auto skip = [&](std::string_view set) {
        while (position < text.size() && set.find(text[position]) != npos)
            ++position;
    };
    skip(" \t\r\n");
    if (position >= text.size() || text[position] != '=')
        return {};
    ++position;
    skip(" \t\r\n\"'");
    std::size_t end = position;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-' || text[end] == '_'))
        ++end;
    return text.substr(position, end - position);
}

std::optional<SourceEncoding> encodingNamed(std::string_view name)
{
    for (const NamedEncoding& known : kCharsetNames) {
        if (known.name == name)
            return known.encoding;
    }
    return std::nullopt;
}

} // namespace

std::optional<ByteOrderMark> byteOrderMarkOf(std::string_view bytes)
{
    if (bytes.starts_with("\xef\xbb\xbf"))
        return ByteOrderMark{SourceEncoding::Utf8, 3};
    if (bytes.starts_with("\xff\xfe"))
        return ByteOrderMark{SourceEncoding::Utf16Le, 2};
    if (bytes.starts_with("\xfe\xff"))
        return ByteOrderMark{SourceEncoding::Utf16Be, 2};
    return std::nullopt;
}

EncodingGuess guessEncoding(std::string_view bytes)
{
    if (const std::optional<ByteOrderMark> mark = byteOrderMarkOf(bytes))
        return {mark->encoding, mark->length, mark->length};
    const std::size_t start = firstNonAscii(bytes);
    if (start == npos)
        return {SourceEncoding::Ascii, 0, bytes.size()};
    if (bytes[start] == '\x1b')
        return {SourceEncoding::Iso2022Jp, 0, start + 1};
    return guessByTrialDecoding(bytes, start);
}

std::optional<SourceEncoding> declaredEncoding(std::string_view bytes)
{
    const std::string head = upperAscii(bytes.substr(0, kDeclarationWindow));
    for (const std::string_view key : {std::string_view("CHARSET"), std::string_view("ENCODING")}) {
        for (std::size_t at = head.find(key); at != npos; at = head.find(key, at + 1)) {
            if (const std::optional<SourceEncoding> encoding = encodingNamed(valueAfter(head, at + key.size())))
                return encoding;
        }
    }
    return std::nullopt;
}

const char* icuConverterName(SourceEncoding encoding)
{
    switch (encoding) {
    case SourceEncoding::EucJp: return "EUC-JP";
    case SourceEncoding::Iso2022Jp: return "ISO-2022-JP";
    case SourceEncoding::Utf8: return "UTF-8";
    case SourceEncoding::Utf16Le: return "UTF-16LE";
    case SourceEncoding::Utf16Be: return "UTF-16BE";
    case SourceEncoding::Ascii:
    case SourceEncoding::ShiftJis:
    case SourceEncoding::Unknown: break;
    }
    return nullptr;
}

} // namespace vorelind
