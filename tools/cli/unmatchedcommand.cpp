#include "unmatchedcommand.h"

#include "gatheredoutput.h"
#include "platform/codecs/encodingguess.h"
#include "util/filelines.h"
#include "util/largebuffer.h"
#include "util/sjis.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <utility>

namespace vorelind {

namespace {

// How the bytes of a line make characters.
enum class CharacterBytes { Single, ShiftJis, EucJp, Utf8 };

// The loaded text keeps the file's bytes unless it was converted; a
// converted text is Shift-JIS, each of its characters one of the file's
// wherever the conversion maps characters one to one.
CharacterBytes characterBytesOf(std::string_view source, bool converted)
{
    if (converted)
        return CharacterBytes::ShiftJis;
    switch (guessEncoding(source).encoding) {
    case SourceEncoding::Utf8:
        return CharacterBytes::Utf8;
    case SourceEncoding::EucJp:
        return CharacterBytes::EucJp;
    case SourceEncoding::ShiftJis:
        return CharacterBytes::ShiftJis;
    default:
        return CharacterBytes::Single;
    }
}

// The bytes of the character whose first byte is given.
std::size_t characterLength(unsigned char first, CharacterBytes bytes)
{
    switch (bytes) {
    case CharacterBytes::ShiftJis:
        return isSjisLeadByte(first) ? 2 : 1;
    case CharacterBytes::EucJp:
        if (first == 0x8F)
            return 3; // a character of the supplementary set
        return first == 0x8E || first >= 0xA1 ? 2 : 1;
    case CharacterBytes::Utf8:
        if (first >= 0xF0)
            return 4;
        if (first >= 0xE0)
            return 3;
        return first >= 0xC0 ? 2 : 1;
    case CharacterBytes::Single:
        break;
    }
    return 1;
}

constexpr std::size_t kMostDigits = 20; // of a std::size_t

// The longest finding's line gathered with others; a longer one is written alone.
constexpr std::size_t kMostGathered = 1024;

// The most bytes a finding's line holds besides its line's part, its
// column and its name, with the sixteen a short copy may write past its end.
constexpr std::size_t kMostAround = sizeof ": error: unclosed start tag <" + sizeof "> closes nothing\n" + 16;

// Copies a constant text to an output; returns the end of what it wrote.
template <std::size_t Size>
char* copiedText(char* out, const char (&text)[Size])
{
    std::memcpy(out, text, Size - 1);
    return out + Size - 1;
}

// Copies bytes to an output with room for sixteen bytes more than them;
// returns the end of what it wrote. Where sixteen bytes may be read from
// their start, a run of at most sixteen, as line numbers and tag names are,
// is copied as one block, which costs no call.
char* copied(char* out, std::string_view bytes, std::size_t readable)
{
    if (bytes.size() <= 16 && readable >= 16)
        std::memcpy(out, bytes.data(), 16);
    else
        std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

// The digits of the numbers below 1000, and their count last: most columns
// are such numbers, and counting their digits cost a mispredicted branch
// as often as not.
constexpr std::size_t kTabledNumbers = 1000;
constexpr auto kNumberDigits = [] {
    std::array<std::array<char, 4>, kTabledNumbers> digits{};
    for (std::size_t number = 0; number < kTabledNumbers; ++number) {
        const std::size_t count = number < 10 ? 1 : number < 100 ? 2 : 3;
        for (std::size_t rest = number, at = count; at-- > 0; rest /= 10)
            digits[number][at] = static_cast<char>('0' + rest % 10);
        digits[number][3] = static_cast<char>(count);
    }
    return digits;
}();

// Writes a number's digits to an output with room for kMostDigits bytes;
// returns the end of what it wrote.
char* digitsWritten(char* out, std::size_t number)
{
    if (number < kTabledNumbers) {
        std::memcpy(out, kNumberDigits[number].data(), 4);
        return out + kNumberDigits[number][3];
    }
    return std::to_chars(out, out + kMostDigits, number).ptr;
}

// Appends what it is handed to a text.
class TextSink : public ListingSink {
public:
    explicit TextSink(std::string& text)
        : m_text(text)
    {
    }

    void write(std::string_view bytes) override { m_text.append(bytes); }

private:
    std::string& m_text;
};

// Writes the findings as the balance hands them over. They come in source
// order, so the line of each is found by reading on from the one before,
// and its column in characters by counting on from the one before.
class FindingWriter : public UnbalancedTagSink {
public:
    FindingWriter(std::string_view path, std::string_view source, const FindingStyle& style, ListingSink* out)
        : m_source(source)
        , m_style(style)
        , m_lines(source)
        , m_out(out)
        , m_gathered(out ? *out : m_textSink)
    {
        const bool gnu = style.format == FindingFormat::Gnu;
        if (gnu || style.pathFirst)
            m_pathPart.append(path).append(gnu ? ":" : "\t");
        m_linePrefix.reserve(16);
    }

    bool expect(std::size_t count) override
    {
        m_findings.count = count;
        if (m_style.countOnly || count == 0)
            return false;
        const bool gnu = m_style.format == FindingFormat::Gnu;
        if (gnu)
            m_bytes = characterBytesOf(m_source, m_style.converted);
        // Room for the lines, by a guess at their length besides the path.
        if (!m_out)
            reserveLarge(m_findings.text, count * (m_pathPart.size() + (gnu ? 56 : 24)));
        return true;
    }

    void take(const UnbalancedTag& tag) override
    {
        moveTo(tag.offset);
        const bool gnu = m_style.format == FindingFormat::Gnu;
        const std::size_t column = gnu ? characterColumn(tag.offset) : tag.offset - m_lines.lineStart() + 1;
        const std::size_t size = m_linePrefix.size() + kMostDigits + kMostAround + tag.name.size();
        if (size <= kMostGathered) {
            char* const begin = m_gathered.room(size);
            m_gathered.take(static_cast<std::size_t>(putFinding(begin, tag, column) - begin));
            return;
        }
        // A finding whose path or name is too long to be gathered.
        std::string text(size, '\0');
        text.resize(static_cast<std::size_t>(putFinding(text.data(), tag, column) - text.data()));
        m_gathered.write(text);
    }

    FileFindings findings()
    {
        m_gathered.flush();
        return std::move(m_findings);
    }

private:
    // Puts a finding's line at out, which has room for it; returns its end.
    char* putFinding(char* out, const UnbalancedTag& tag, std::size_t column) const
    {
        const bool start = tag.side == TagSide::Start;
        const bool gnu = m_style.format == FindingFormat::Gnu;
        out = copied(out, m_linePrefix, m_linePrefix.capacity());
        out = digitsWritten(out, column);
        // The texts around the name are copied as constants, which costs no call.
        if (gnu)
            out = start ? copiedText(out, ": error: unclosed start tag <") : copiedText(out, ": error: end tag </");
        else
            out = start ? copiedText(out, "\tstart\t") : copiedText(out, "\tend\t");
        out = copied(out, tag.name,
                     static_cast<std::size_t>(m_source.data() + m_source.size() - tag.name.data()));
        if (gnu)
            return start ? copiedText(out, ">\n") : copiedText(out, "> closes nothing\n");
        *out++ = '\n';
        return out;
    }

    // Reads on to the line of an offset; a new line's findings start with a new prefix.
    void moveTo(std::size_t offset)
    {
        const std::size_t line = m_lines.line();
        m_lines.readTo(offset);
        const bool newLine = m_lines.line() != line || m_linePrefix.empty();
        if (newLine || offset < m_counted) {
            m_counted = m_lines.lineStart();
            m_characters = 0;
        }
        if (newLine) {
            char digits[kMostDigits];
            m_linePrefix.assign(m_pathPart).append(digits, digitsWritten(digits, m_lines.line())).append(":");
        }
    }

    // The column, from 1, of the character at an offset of the current
    // line, in characters: a line of a minified page may hold thousands of
    // findings, so the characters before the last one are not counted again.
    std::size_t characterColumn(std::size_t offset)
    {
        for (; m_counted < offset; ++m_characters)
            m_counted += characterLength(static_cast<unsigned char>(m_source[m_counted]), m_bytes);
        return m_characters + 1;
    }

    std::string_view m_source;
    const FindingStyle& m_style;
    std::string m_pathPart;       // "PATH:" for gnu, "PATH<TAB>" for tsv with pathFirst
    CharacterBytes m_bytes = CharacterBytes::Single;
    FileLines m_lines;            // read to the last finding
    std::string m_linePrefix;     // what the findings of the line start with: the path part, "LINE:"
    std::size_t m_counted = 0;    // where counting the current line's characters stopped
    std::size_t m_characters = 0; // the characters of the line before it
    FileFindings m_findings;
    ListingSink* m_out;
    TextSink m_textSink{m_findings.text};
    GatheredOutput m_gathered; // to m_out, or to the findings' text when there is none
};

} // namespace

FileFindings unmatchedFindings(std::string_view path, std::string_view source, TagRules rules,
                               const ExcludedTags& excluded, const FindingStyle& style, ListingSink* out)
{
    FindingWriter writer(path, source, style, out);
    findUnbalancedTags(source, excluded, rules, writer);
    return writer.findings();
}

} // namespace vorelind
