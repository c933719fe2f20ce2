#include "tools/kivalter/lineanalysis.h"

#include "tree/treefill.h"
#include "util/sjis.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace vorelind {

namespace {

constexpr std::array<std::string_view, 14> kVoidElements = {
    "AREA", "BASE", "BR", "COL", "EMBED", "HR", "IMG", "INPUT", "LINK", "META", "PARAM", "SOURCE", "TRACK", "WBR",
};

bool isVoidElement(std::string_view name)
{
    return std::find(kVoidElements.begin(), kVoidElements.end(), name) != kVoidElements.end();
}

// The walk keeps the line breaks of these blocks and starts no lines inside them.
bool isRawBlockName(std::string_view name)
{
    return name == "SCRIPT" || name == "PRE";
}

// Comments and declarations ("<!"), processing instructions ("<?") and server blocks ("<%").
bool isDeclarationName(std::string_view name)
{
    return !name.empty() && (name[0] == '!' || name[0] == '?' || name[0] == '%');
}

// The upper-cased tag name from position from on, up to a blank, a TAB, '/' or '>'.
std::string tagNameAt(std::string_view text, std::size_t from)
{
    if (from >= text.size())
        return {};
    const std::size_t end = text.find_first_of(" \t/>", from);
    return upperAscii(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
}

// The name of the first SCRIPT or PRE end tag in the text; empty when there is none.
std::string rawBlockCloser(std::string_view text)
{
    for (std::size_t at = text.find("</"); at != std::string_view::npos; at = text.find("</", at + 2)) {
        std::string name = tagNameAt(text, at + 2);
        if (isRawBlockName(name))
            return name;
    }
    return {};
}

struct TagEvent {
    std::size_t line;
    std::string name;
    bool start;
    Balance outcome = Balance::None;
};

class ListingAnalyser {
public:
    LineAnalysis run(const std::vector<std::string_view>& lines)
    {
        m_result.lines.reserve(lines.size());
        for (const std::string_view line : lines)
            classify(line);
        markDepthNeutralStarts();
        pairTags();
        summarise();
        return std::move(m_result);
    }

private:
    void classify(std::string_view line)
    {
        const std::size_t index = m_result.lines.size();
        AnalysedLine& out = m_result.lines.emplace_back();
        const std::size_t blanks = lineDepth(line);
        const std::string_view rest = line.substr(blanks);
        out.level = blanks / 2;
        out.text = std::string(rest);
        if (m_inBlock) {
            classifyBlockLine(index, rest);
            return;
        }
        // In the listing every tag outside a block starts its line; text
        // leads a line only before the first tag.
        if (rest.empty() || rest[0] != '<')
            return;
        if (rest.size() > 1 && rest[1] == '/') {
            out.kind = LineKind::End;
            out.tag = tagNameAt(rest, 2);
            addEvent(index, out.tag, false);
            return;
        }
        out.tag = tagNameAt(rest, 1);
        if (isDeclarationName(out.tag)) {
            out.kind = LineKind::Declaration;
            return;
        }
        out.kind = LineKind::Start;
        addEvent(index, out.tag, true);
        if (isRawBlockName(out.tag))
            openBlock(index, rest);
    }

    // A block may close on its own first line, as <script src="x"></script> does.
    void openBlock(std::size_t index, std::string_view rest)
    {
        const std::string closer = rawBlockCloser(rest);
        if (closer.empty())
            m_inBlock = true;
        else
            addEvent(index, closer, false);
    }

    // Inside a block the tags start no lines, so its lines are text; the line
    // that holds the block's end tag closes the block.
    void classifyBlockLine(std::size_t index, std::string_view rest)
    {
        const std::string closer = rawBlockCloser(rest);
        if (closer.empty())
            return;
        m_inBlock = false;
        addEvent(index, closer, false);
        if (rest.starts_with("</") && tagNameAt(rest, 2) == closer) {
            AnalysedLine& out = m_result.lines[index];
            out.kind = LineKind::End;
            out.tag = closer;
        }
    }

    void addEvent(std::size_t line, const std::string& name, bool start)
    {
        m_events.push_back(TagEvent{line, name, start});
    }

    // The listing drops the '/' of "/>", but the walk lowers the depth again:
    // the next line then stands no deeper than the tag.
    void markDepthNeutralStarts()
    {
        std::vector<AnalysedLine>& lines = m_result.lines;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            AnalysedLine& line = lines[i];
            if (line.kind != LineKind::Start || isRawBlockName(line.tag))
                continue;
            const AnalysedLine& next = lines[i + 1];
            const bool endBelow = next.kind == LineKind::End && next.level < line.level;
            const bool startBeside = (next.kind == LineKind::Start || next.kind == LineKind::Declaration)
                                     && next.level <= line.level;
            if (endBelow || startBeside)
                line.kind = LineKind::SelfClosed;
        }
    }

    // Pairs each end tag with the innermost open start tag of its name; the
    // open tags inside that pair are left without an end tag.
    void pairTags()
    {
        for (TagEvent& event : m_events) {
            if (event.start)
                open(event);
            else
                close(event);
        }
        while (!m_open.empty())
            leaveUnpaired(popOpen());
    }

    void open(TagEvent& event)
    {
        m_openByName[event.name].push_back(m_open.size());
        m_open.push_back(&event);
    }

    void close(TagEvent& event)
    {
        const auto found = m_openByName.find(event.name);
        if (found == m_openByName.end() || found->second.empty()) {
            settle(event, Balance::Stray);
            return;
        }
        const std::size_t depth = found->second.back();
        while (m_open.size() > depth + 1)
            leaveUnpaired(popOpen());
        TagEvent& start = *popOpen();
        // A start tag that left the depth alone but has its end tag was named
        // in the excluded-tag list rather than self-closed.
        AnalysedLine& startLine = m_result.lines[start.line];
        if (startLine.kind == LineKind::SelfClosed)
            startLine.kind = LineKind::Start;
        settle(start, Balance::Matched);
        settle(event, Balance::Matched);
    }

    TagEvent* popOpen()
    {
        TagEvent* event = m_open.back();
        m_open.pop_back();
        m_openByName[event->name].pop_back();
        return event;
    }

    void leaveUnpaired(TagEvent* event)
    {
        if (m_result.lines[event->line].kind == LineKind::SelfClosed)
            return;
        settle(*event, isVoidElement(event->name) ? Balance::Void : Balance::Unclosed);
    }

    void settle(TagEvent& event, Balance outcome)
    {
        event.outcome = outcome;
        Balance& shown = m_result.lines[event.line].balance;
        shown = std::max(shown, outcome);
        if (outcome == Balance::Unclosed)
            ++m_result.unclosed;
        else if (outcome == Balance::Stray)
            ++m_result.stray;
    }

    void summarise()
    {
        std::map<std::string, TagSummary> byName;
        for (const TagEvent& event : m_events) {
            TagSummary& summary = byName[event.name];
            if (summary.lines.empty() || summary.lines.back() != event.line)
                summary.lines.push_back(event.line);
            if (!event.start)
                ++summary.ends;
            else if (m_result.lines[event.line].kind == LineKind::SelfClosed)
                ++summary.selfClosed;
            else
                ++summary.starts;
            if (isUnmatched(event.outcome)) {
                ++summary.unmatched;
                summary.unmatchedLines.push_back(event.line);
            }
        }
        m_result.tags.reserve(byName.size());
        for (auto& [name, summary] : byName) {
            summary.tag = name;
            m_result.tags.push_back(std::move(summary));
        }
    }

    LineAnalysis m_result;
    std::vector<TagEvent> m_events;
    std::vector<TagEvent*> m_open;
    // Positions in m_open of the open tags of each name, innermost last.
    std::unordered_map<std::string, std::vector<std::size_t>> m_openByName;
    bool m_inBlock = false;
};

} // namespace

LineAnalysis analyseListing(const std::vector<std::string_view>& lines)
{
    return ListingAnalyser().run(lines);
}

bool isUnmatched(Balance balance)
{
    return balance == Balance::Unclosed || balance == Balance::Stray;
}

std::string_view kindName(LineKind kind)
{
    switch (kind) {
    case LineKind::Start: return "start";
    case LineKind::End: return "end";
    case LineKind::SelfClosed: return "self-closed";
    case LineKind::Declaration: return "declaration";
    case LineKind::Text: return "text";
    }
    return {};
}

std::string_view balanceName(Balance balance)
{
    switch (balance) {
    case Balance::None: return "-";
    case Balance::Matched: return "matched";
    case Balance::Void: return "void";
    case Balance::Unclosed: return "unclosed";
    case Balance::Stray: return "stray";
    }
    return {};
}

} // namespace vorelind
