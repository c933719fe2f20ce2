#include "unmatchedcommand.h"

#include "document/lineindex.h"
#include "platform/codecs/encodingguess.h"
#include "util/largebuffer.h"
#include "util/sjis.h"

#include <algorithm>
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

// Appends a number and the text after it in one go: a page may have a
// hundred thousand findings, and appending the parts of each apart cost
// more than finding them.
void appendNumberThen(std::string& text, std::size_t number, std::string_view after)
{
    constexpr std::size_t kDigits = 20; // of the largest std::size_t
    constexpr std::size_t kLongestAfter = 32;
    char bytes[kDigits + kLongestAfter];
    char* start = bytes + kDigits;
    const std::size_t afterSize = std::min(after.size(), kLongestAfter);
    std::memcpy(start, after.data(), afterSize);
    do {
        *--start = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    text.append(start, bytes + kDigits + afterSize);
    text.append(after.substr(afterSize));
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
        const bool gnu = m_style.format == FindingFormat::Gnu;
        if (gnu)
            m_bytes = characterBytesOf(m_source, m_style.converted);
        const std::size_t pathPerLine = gnu || m_style.pathFirst ? m_path.size() : 0;
        reserveLarge(m_findings.text, count * (pathPerLine + (gnu ? 56 : 24)));
    }

    void take(const UnbalancedTag& tag) override
    {
        if (m_style.countOnly)
            return;
        moveTo(tag.offset);
        std::string& text = m_findings.text;
        text.append(m_linePrefix);
        const bool start = tag.side == TagSide::Start;
        if (m_style.format == FindingFormat::Gnu) {
            appendNumberThen(text, characterColumn(tag.offset),
                             start ? ": error: unclosed start tag <" : ": error: end tag </");
            text.append(tag.name).append(start ? ">\n" : "> closes nothing\n");
            return;
        }
        appendNumberThen(text, tag.offset - m_lineStart + 1, start ? "\tstart\t" : "\tend\t");
        text.append(tag.name) += '\n';
    }

    FileFindings findings() { return std::move(m_findings); }

private:
    // Finds the line of an offset, counting the lines from the offset
    // before it on. Both are offsets of a '<', so no CR LF pair straddles
    // either end of what is counted.
    void moveTo(std::size_t offset)
    {
        if (offset < m_passed) {
            // Never in source order: counted again from the start then.
            m_passed = 0;
            m_line = 1;
            m_lineStart = 0;
            m_linePrefix.clear();
        }
        const std::string_view passed = m_source.substr(m_passed, offset - m_passed);
        const std::size_t lineBreaks = lineCountOf(passed) - 1;
        m_passed = offset;
        if (lineBreaks == 0 && offset >= m_counted && !m_linePrefix.empty())
            return;
        if (lineBreaks > 0) {
            m_line += lineBreaks;
            m_lineStart = m_passed - passed.size() + passed.rfind("\r\n") + 2;
        }
        m_counted = m_lineStart;
        m_characters = 0;
        writeLinePrefix();
    }

    // What every finding on the line starts with: "PATH:LINE:" for gnu,
    // "LINE:" for tsv, after "PATH<TAB>" with pathFirst.
    void writeLinePrefix()
    {
        const bool gnu = m_style.format == FindingFormat::Gnu;
        m_linePrefix.clear();
        if (gnu || m_style.pathFirst)
            m_linePrefix.append(m_path).append(gnu ? ":" : "\t");
        appendNumberThen(m_linePrefix, m_line, ":");
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
    std::size_t m_passed = 0;     // the offset of the last finding, whose line is known
    std::size_t m_line = 1;
    std::size_t m_lineStart = 0;
    std::size_t m_counted = 0;    // where counting the current line's characters stopped
    std::size_t m_characters = 0; // the characters of the line before it
    std::string m_linePrefix;
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
