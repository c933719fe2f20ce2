#include "tools/kivalter/analysisreport.h"

namespace vorelind {

namespace {

// The report is handed over whenever this much of it has gathered.
constexpr std::size_t kPieceSize = 1 << 16;

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

void handOverWhenFull(std::string& text, const std::function<void(std::string_view)>& write)
{
    if (text.size() >= kPieceSize) {
        write(text);
        text.clear();
    }
}

std::string lineNumbers(const std::vector<std::uint32_t>& lines)
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

void writeAnalysisReport(const LineAnalysis& analysis, const std::function<void(std::string_view)>& write)
{
    std::string text = std::to_string(analysis.lineCount()) + " lines, " + std::to_string(analysis.unclosed())
                       + " unclosed, " + std::to_string(analysis.stray()) + " stray\n";
    appendRow(text, {"LINE", "LEVEL", "KIND", "BALANCE", "TAG", "TEXT"});
    for (std::size_t row = 0; row < analysis.lineCount(); ++row) {
        appendRow(text, {std::to_string(row + 1), std::to_string(analysis.level(row)), kindName(analysis.kind(row)),
                         balanceName(analysis.balance(row)), analysis.tag(row), analysis.text(row)});
        handOverWhenFull(text, write);
    }
    text += '\n';
    appendRow(text, {"TAG", "STARTS", "ENDS", "SELF-CLOSED", "UNMATCHED", "UNMATCHED LINES"});
    for (const TagSummary& tag : analysis.tags()) {
        appendRow(text, {tag.tag, std::to_string(tag.starts), std::to_string(tag.ends),
                         std::to_string(tag.selfClosed), std::to_string(tag.unmatched),
                         lineNumbers(tag.unmatchedLines)});
        handOverWhenFull(text, write);
    }
    write(text);
}

} // namespace vorelind
