#include "unmatchedcommand.h"

#include "document/sourceindex.h"
#include "platform/codecs/encodingguess.h"
#include "util/sjis.h"

#include <string>

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

// The column, from 1, of the character at an offset of a line, in characters.
std::size_t characterColumn(std::string_view line, std::size_t offset, CharacterBytes bytes)
{
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; i += characterLength(static_cast<unsigned char>(line[i]), bytes))
        ++column;
    return column;
}

std::string message(const UnbalancedTag& tag)
{
    if (tag.side == TagSide::Start)
        return "unclosed start tag <" + std::string(tag.name) + ">";
    return "end tag </" + std::string(tag.name) + "> closes nothing";
}

} // namespace

FileFindings unmatchedListing(std::string_view path, std::string_view source, const ExcludedTags& excluded,
                              const FindingStyle& style)
{
    const TagRules rules = style.rules.value_or(rulesFor(source));
    return findingsText(path, source, unbalancedTags(source, excluded, rules), style);
}

FileFindings findingsText(std::string_view path, std::string_view source, const std::vector<UnbalancedTag>& found,
                          const FindingStyle& style)
{
    const SourceIndex lines = SourceIndex::linesOf(source);
    const CharacterBytes bytes = style.format == FindingFormat::Gnu && !found.empty()
        ? characterBytesOf(source, style.converted)
        : CharacterBytes::Single;
    FileFindings findings;
    findings.count = found.size();
    for (const UnbalancedTag& tag : found) {
        const LineColumn place = lines.at(tag.offset);
        if (style.format == FindingFormat::Gnu) {
            const std::string_view line = source.substr(lines.lineStart(place.line));
            findings.text.append(path).append(":").append(std::to_string(place.line)).append(":");
            findings.text.append(std::to_string(characterColumn(line, place.column - 1, bytes)));
            findings.text.append(": error: ").append(message(tag)).append("\n");
            continue;
        }
        if (style.pathFirst)
            findings.text.append(path).append("\t");
        findings.text += lineColumnText(place);
        findings.text += tag.side == TagSide::Start ? "\tstart\t" : "\tend\t";
        findings.text += tag.name;
        findings.text += '\n';
    }
    return findings;
}

} // namespace vorelind
