// The document path on arbitrary bytes: text check, loading, the walk with
// the excluded list taken from the head of the input, line split, tree fill
// and export, checking on the way what must hold for any input.

#include "require.h"

#include "document/exporttidy.h"
#include "document/indentwalk.h"
#include "document/listing.h"
#include "document/sizelimits.h"
#include "document/sourceindex.h"
#include "document/sourceloader.h"
#include "document/tagbalance.h"
#include "settings/listfile.h"
#include "tree/indenttree.h"
#include "tree/listingtreelines.h"
#include "tree/treelinestream.h"
#include "util/apperror.h"
#include "listingoftext.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

using namespace vorelind;

// Small enough to keep every run fast, so that nesting bombs reach it.
constexpr std::size_t kBudgetBase = 256 << 10;

// Checks the walk's reports as they come: one per position, in order, but
// none for the '/' of a "/>", and an output count that never shrinks.
class CheckingSinks : public ProgressSink, public StatusSink, public RunLogSink {
public:
    explicit CheckingSinks(std::string_view source)
        : m_source(source)
    {
    }

    void start(std::size_t maximum) override
    {
        require(!m_started && maximum == m_source.size(), "progress range is the source length, set once");
        m_started = true;
    }

    void advance(std::size_t steps) override { m_advances += steps; }

    void showPosition(std::size_t position, std::size_t total) override
    {
        require(position == m_lastPosition && total == m_source.size(), "status shows the logged position");
    }

    void appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount) override
    {
        require(firstPosition <= lastPosition, "a run holds at least one position");
        std::size_t outputCount = firstOutputCount;
        for (std::size_t position = firstPosition; position <= lastPosition; ++position, ++outputCount) {
            require(position == nextReported(m_lastPosition + 1), "one log line per position but the / of each />");
            require(outputCount >= m_lastCount, "the output count never shrinks");
            m_lastPosition = position;
            m_lastCount = outputCount;
            ++m_lines;
        }
    }

    void requireAllReported(std::size_t listingSize) const
    {
        require(nextReported(m_lastPosition + 1) > m_source.size(), "every position is logged");
        require(m_advances == m_lines, "progress advances once per logged position");
        require(listingSize <= m_lastCount, "the listing is the output up to its first NUL");
    }

    std::size_t lastCount() const { return m_lastCount; }

private:
    // The first position from the given one on that the walk reports.
    std::size_t nextReported(std::size_t position) const
    {
        while (position <= m_source.size() && isSelfClosingSlash(position))
            ++position;
        return position;
    }

    bool isSelfClosingSlash(std::size_t position) const
    {
        const char next = position < m_source.size() ? m_source[position] : '\0';
        return m_source[position - 1] == '/' && next == '>';
    }

    std::string_view m_source;
    bool m_started = false;
    std::size_t m_lastPosition = 0;
    std::size_t m_lastCount = 0;
    std::size_t m_lines = 0;
    std::size_t m_advances = 0;
};

// Walks the source without a budget, checking the reports, and returns the
// output count of its last position.
std::size_t unboundedOutputCount(std::string_view source, const ExcludedTags& excluded)
{
    CheckingSinks sinks(source);
    const std::string listing =
        indentSourceWithin(source, excluded, WalkSinks{&sinks, &sinks, &sinks}, std::numeric_limits<std::size_t>::max());
    sinks.requireAllReported(listing.size());
    return sinks.lastCount();
}

// Collects what the export stream hands on.
class CollectingSink : public ListingSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// Every unpaired tag is a '<' of the text, found in source order, with its
// name as written right after it, at a line and column inside the text.
void checkTagBalance(std::string_view source, const ExcludedTags& excluded, TagRules rules)
{
    const SourceIndex lines = SourceIndex::linesOf(source);
    std::size_t previousEnd = 0;
    for (const UnbalancedTag& tag : unbalancedTags(source, excluded, rules)) {
        require(tag.offset >= previousEnd && source[tag.offset] == '<', "unpaired tags are '<'s in source order");
        const std::size_t nameStart = tag.offset + (tag.side == TagSide::End ? 2 : 1);
        require(!tag.name.empty() && tag.name.data() == source.data() + nameStart, "the name follows the '<'");
        require(lines.at(tag.offset).column <= tag.offset + 1, "the column lies within the text");
        previousEnd = tag.offset + 1;
    }
}

// Gathers the lines a tree is filled from, each as the fill takes it, and
// checks that a line told to be the source's bytes is them.
class GatheredTreeLines : public TreeLineSink {
public:
    explicit GatheredTreeLines(std::string_view source = {})
        : m_source(source)
    {
    }

    void addLine(const IndentedLine& line, std::size_t sourcePosition, bool verbatim) override
    {
        const std::size_t kept = line.depth > 0 ? kIndentedTextLength : line.fromLastBlank.size();
        lines.push_back(std::to_string(line.depth) + ' ' + std::to_string(sourcePosition) + ' '
                        + std::string(line.fromLastBlank.substr(0, kept)));
        if (verbatim) {
            const std::string_view text = nodeText(line).substr(line.depth > 0 ? 1 : 0);
            require(sourcePosition > 0 && m_source.substr(sourcePosition - 1, text.size()) == text,
                    "a line told to be the source's bytes is them");
        }
    }

    std::vector<std::string> lines;

private:
    std::string_view m_source;
};

// The lines streamed to the tree, in small pieces, are the list's lines.
void checkStreamedTreeLines(std::string_view listing, const Listing& listed)
{
    GatheredTreeLines listedLines;
    const IndentedLines treeLines = treeLinesOf(listed);
    for (std::size_t row = 0; row < treeLines.count; ++row)
        listedLines.addLine(treeLines.line(row), 0, false);
    GatheredTreeLines streamedLines;
    TreeLineStream stream(streamedLines);
    for (std::size_t at = 0; at < listing.size(); at += 7)
        stream.write(listing.substr(at, 7));
    stream.finish();
    require(streamedLines.lines == listedLines.lines, "the tree's streamed lines are the list's lines");
}

// The walk straight into the tree's stream, which takes most of a line's
// leading blanks as a number, gives the lines, and where they began, that
// the walk into a list gives.
void checkWalkedTreeLines(std::string_view source, const ExcludedTags& excluded, std::size_t budget)
{
    Listing listed;
    walkSourceWithin(source, excluded, {}, listed, budget);
    listed.finish();
    GatheredTreeLines listedLines;
    const IndentedLines treeLines = treeLinesOf(listed);
    for (std::size_t row = 0; row < treeLines.count; ++row)
        listedLines.addLine(treeLines.line(row), listed.sourcePosition(row), false);
    GatheredTreeLines walkedLines(source);
    TreeLineStream stream(walkedLines);
    walkSourceWithin(source, excluded, {}, stream, budget);
    stream.finish();
    require(walkedLines.lines == listedLines.lines, "the tree's walked lines are the list's lines");
}

void checkTreeAndExport(std::string_view listing)
{
    require(listing.find('\0') == std::string_view::npos, "the listing holds no NUL");
    Listing listed = listingOfText(listing);
    std::size_t row = 0;
    for (const std::string_view line : listingLines(listing)) {
        if (line.empty())
            continue;
        require(row < listed.lineCount() && std::string(listed.blanks(row), ' ').append(listed.lineText(row)) == line,
                "the list holds the listing's non-empty lines, blanks and all");
        ++row;
    }
    IndentTree tree;
    loadIndentedLines(tree, treeLinesOf(listed));
    require(tree.nodeCount() == listed.lineCount(), "one node per non-empty line");
    checkStreamedTreeLines(listing, listed);

    // The streamed export, in small pieces, equals the list tidied in place.
    CollectingSink streamed;
    ExportStream stream(streamed);
    for (std::size_t at = 0; at < listing.size(); at += 7)
        stream.write(listing.substr(at, 7));
    stream.finish();
    tidyForExport(listed);
    const std::vector<std::string_view> exportedLines = listingLines(streamed.text);
    require(exportedLines.size() == listed.lineCount(), "the export has as many lines as the list");
    for (std::size_t i = 0; i < listed.lineCount(); ++i)
        require(exportedLines[i] == std::string(listed.blanks(i), ' ').append(listed.lineText(i)),
                "the export holds the list's lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The head up to the first NUL is the excluded-tag file, the rest the
    // source file; without a NUL the whole input is the source.
    const std::size_t split = input.find('\0');
    const std::string_view listBytes = split == std::string_view::npos ? std::string_view() : input.substr(0, split);
    const std::string_view fileBytes = split == std::string_view::npos ? input : input.substr(split + 1);

    // The window walks only what passes the check; the walk itself must
    // stand any bytes, so every input goes on.
    judgeText(fileBytes);
    const std::string source = loadText(std::string(fileBytes));
    const ExcludedTags excluded(parseListText(listBytes));
    checkTagBalance(source, excluded, TagRules::Xml);
    checkTagBalance(source, excluded, TagRules::Html);

    CheckingSinks sinks(source);
    const std::size_t budget = 64 * source.size() + kBudgetBase;
    std::string listing;
    try {
        listing = indentSourceWithin(source, excluded, WalkSinks{&sinks, &sinks, &sinks}, budget);
    } catch (const AppError& error) {
        require(error.what() == listingTooLargeMessage(budget), "only the budget stops a walk");
        require(unboundedOutputCount(source, excluded) > budget, "a walk stops only when it passes its budget");
        return 0;
    }
    sinks.requireAllReported(listing.size());
    checkTreeAndExport(listing);
    checkWalkedTreeLines(source, excluded, budget);
    return 0;
}
