#include "tools/kivalter/analysisreport.h"

namespace vorelind {

namespace {

void appendRow(std::string& text, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            text += '\t';
        text += field;
        first = false;
    }
    text += '\n';
}

std::string lineNumbers(const std::vector<std::size_t>& lines)
{
    std::string numbers;
    for (const std::size_t line : lines) {
        if (!numbers.empty())
            numbers += ',';
        numbers += std::to_string(line + 1);
    }
    return numbers;
}

} // namespace

std::string analysisReport(const LineAnalysis& analysis)
{
    std::string text = std::to_string(analysis.lines.size()) + " lines, " + std::to_string(analysis.unclosed)
                       + " unclosed, " + std::to_string(analysis.stray) + " stray\n";
    appendRow(text, {"LINE", "LEVEL", "KIND", "BALANCE", "TAG", "TEXT"});
    for (std::size_t i = 0; i < analysis.lines.size(); ++i) {
        const AnalysedLine& line = analysis.lines[i];
        appendRow(text, {std::to_string(i + 1), std::to_string(line.level), kindName(line.kind),
                         balanceName(line.balance), line.tag, line.text});
    }
    text += '\n';
    appendRow(text, {"TAG", "STARTS", "ENDS", "SELF-CLOSED", "UNMATCHED", "UNMATCHED LINES"});
    for (const TagSummary& tag : analysis.tags) {
        appendRow(text, {tag.tag, std::to_string(tag.starts), std::to_string(tag.ends),
                         std::to_string(tag.selfClosed), std::to_string(tag.unmatched),
                         lineNumbers(tag.unmatchedLines)});
    }
    return text;
}

} // namespace vorelind
