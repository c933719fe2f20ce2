#include "unmatchedcommand.h"

#include "document/lineindex.h"
#include "platform/codecs/encodingguess.h"
#include "util/sjis.h"

#include <charconv>
#include <iterator>
#include <optional>
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

std::string_view message(TagSide side)
{
    return side == TagSide::Start ? "unclosed start tag <" : "end tag </";
}

void appendNumber(std::string& text, std::size_t number)
{
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
    text.append(digits, written.ptr);
}

// Writes the findings as the balance hands them over. They come in source
// order, so the line of each is found by reading on from the one before,
// and its column in characters by counting on from the one before.
class FindingWriter : public UnbalancedTagSink {
public:
    FindingWriter(std::string_view path, std::string_view source, const FindingStyle& style)
        : m_path(path)
        , m_source(source)
        , m_style(style)
    {
    }

    void expect(std::size_t count) override
    {
        m_findings.count = count;
        if (m_style.countOnly || count == 0)
            return;
        m_lines.emplace(m_source);
        const bool gnu = m_style.format == FindingFormat::Gnu;
        if (gnu)
            m_bytes = characterBytesOf(m_source, m_style.converted);
        const std::size_t pathPerLine = gnu || m_style.pathFirst ? m_path.size() : 0;
        m_findings.text.reserve(count * (pathPerLine + (gnu ? 56 : 24)));
    }

    void take(const UnbalancedTag& tag) override
    {
        if (m_style.countOnly)
            return;
        moveTo(tag.offset);
        std::string& text = m_findings.text;
        if (m_style.format == FindingFormat::Gnu) {
            text.append(m_path).append(":");
            appendNumber(text, m_line);
            text.append(":");
            appendNumber(text, characterColumn(tag.offset));
            text.append(": error: ").append(message(tag.side)).append(tag.name);
            text.append(tag.side == TagSide::Start ? ">\n" : "> closes nothing\n");
            return;
        }
        if (m_style.pathFirst)
            text.append(m_path).append("\t");
        appendNumber(text, m_line);
        text += ':';
        appendNumber(text, tag.offset - m_lineStart + 1);
        text.append(tag.side == TagSide::Start ? "\tstart\t" : "\tend\t").append(tag.name);
        text += '\n';
    }

    FileFindings findings() { return std::move(m_findings); }

private:
    // Finds the line of an offset, reading on from the line of the one before.
    void moveTo(std::size_t offset)
    {
        if (offset < m_lineStart)
            m_line = m_lines->at(offset).line; // never in source order; the plain look-up then
        while (m_line < m_lines->lineCount() && m_lines->lineStart(m_line + 1) <= offset)
            ++m_line;
        if (m_lines->lineStart(m_line) != m_lineStart || offset < m_counted) {
            m_lineStart = m_lines->lineStart(m_line);
            m_counted = m_lineStart;
            m_characters = 0;
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

    std::string_view m_path;
    std::string_view m_source;
    const FindingStyle& m_style;
    CharacterBytes m_bytes = CharacterBytes::Single;
    std::optional<LineIndex> m_lines;
    std::size_t m_line = 1;
    std::size_t m_lineStart = 0;
    std::size_t m_counted = 0;    // where counting the current line's characters stopped
    std::size_t m_characters = 0; // the characters of the line before it
    FileFindings m_findings;
};

} // namespace

FileFindings unmatchedFindings(std::string_view path, std::string_view source, TagRules rules,
                               const ExcludedTags& excluded, const FindingStyle& style)
{
    FindingWriter writer(path, source, style);
    findUnbalancedTags(source, excluded, rules, writer);
    return writer.findings();
}

} // namespace vorelind
