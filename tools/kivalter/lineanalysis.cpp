#include "tools/kivalter/lineanalysis.h"

#include "document/tagbalance.h"
#include "document/tagnames.h"
#include "document/tagscan.h"
#include "tree/treefill.h"
#include "util/sjis.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace vorelind {

namespace {

// What leads a listing line, before the balance has its say.
struct LeadingTag {
    LineKind kind = LineKind::Text;
    std::string name; // upper-cased
};

LeadingTag leadingTag(std::string_view rest)
{
    if (rest.size() < 2 || rest[0] != '<')
        return {};
    if (rest[1] == '!' || rest[1] == '?' || rest[1] == '%')
        return {LineKind::Declaration, {}};
    const std::size_t nameStart = rest[1] == '/' ? 2 : 1;
    if (nameStart >= rest.size() || !isAsciiLetter(static_cast<unsigned char>(rest[nameStart])))
        return {};
    const std::size_t nameEnd = tagNameEnd(rest, nameStart);
    return {nameStart == 2 ? LineKind::End : LineKind::Start, upperAscii(rest.substr(nameStart, nameEnd - nameStart))};
}

} // namespace

std::string_view LineAnalysis::line(std::size_t row) const
{
    // Every line but the last ends in a CR LF, and the start after the last
    // line stands where its CR LF would end.
    const std::size_t start = m_lineStarts[row];
    return std::string_view(m_listing).substr(start, m_lineStarts[row + 1] - 2 - start);
}

std::size_t LineAnalysis::blanks(std::size_t row) const
{
    const std::size_t marked = m_marks[row].blanks;
    return marked < kMaxMarkedBlanks ? marked : lineDepth(line(row));
}

std::string LineAnalysis::tag(std::size_t row) const
{
    const LineKind shown = kind(row);
    if (shown != LineKind::Start && shown != LineKind::End && shown != LineKind::SelfClosed)
        return {};
    return leadingTag(text(row)).name;
}

// Builds the analysis of a listing in steps, each reading what the steps
// before it marked on the lines.
class ListingAnalyser {
public:
    ListingAnalyser(std::string listing, const ListingRules& rules)
        : m_rules(rules)
    {
        m_result.m_listing = std::move(listing);
    }

    LineAnalysis run()
    {
        indexLines();
        readRows();
        markDepthNeutralStarts();
        balance();
        describeLines();
        summarise();
        return std::move(m_result);
    }

private:
    using LineMarks = LineAnalysis::LineMarks;

    // The lines are counted first, so that the index takes no more room than it needs.
    void indexLines()
    {
        const std::string_view listing = m_result.m_listing;
        std::size_t breaks = 0;
        for (std::size_t at = listing.find("\r\n"); at != std::string_view::npos; at = listing.find("\r\n", at + 2))
            ++breaks;
        // An empty piece after the last CR LF is not a line.
        const bool endsInBreak = listing.ends_with("\r\n");
        const std::size_t lines = listing.empty() ? 0 : breaks + (endsInBreak ? 0 : 1);
        if (lines > kMaxAnalysedLines)
            throw std::length_error("listing of too many lines");
        std::vector<std::size_t>& starts = m_result.m_lineStarts;
        starts.clear();
        starts.reserve(lines + 1);
        starts.push_back(0);
        for (std::size_t at = listing.find("\r\n"); at != std::string_view::npos; at = listing.find("\r\n", at + 2))
            starts.push_back(at + 2);
        if (!listing.empty() && !endsInBreak)
            starts.push_back(listing.size() + 2);
        m_result.m_marks.resize(lines);
    }

    std::size_t lineCount() const { return m_result.lineCount(); }
    LineMarks& marks(std::size_t row) { return m_result.m_marks[row]; }
    const LineMarks& marks(std::size_t row) const { return m_result.m_marks[row]; }
    std::size_t blanks(std::size_t row) const { return m_result.blanks(row); }
    LeadingTag leadingTagOf(std::size_t row) const { return leadingTag(m_result.text(row)); }

    void readRows()
    {
        bool inRawBlock = false;
        for (std::size_t row = 0; row < lineCount(); ++row) {
            const std::string_view line = m_result.line(row);
            const std::size_t lineBlanks = lineDepth(line);
            const LeadingTag tag = leadingTag(line.substr(lineBlanks));
            marks(row).blanks = static_cast<std::uint32_t>(std::min(lineBlanks, LineAnalysis::kMaxMarkedBlanks));
            marks(row).inRawBlock = inRawBlock;
            // A raw block ends at the first SCRIPT or PRE end tag, as in the walk.
            if (!inRawBlock && tag.kind == LineKind::Start && isRawBlockName(tag.name))
                inRawBlock = !closesRawBlock(line.substr(lineBlanks + 1));
            else if (inRawBlock)
                inRawBlock = !closesRawBlock(line);
        }
    }

    static bool closesRawBlock(std::string_view text)
    {
        for (std::size_t at = text.find("</"); at != std::string_view::npos; at = text.find("</", at + 2)) {
            const std::size_t nameEnd = tagNameEnd(text, at + 2);
            if (isRawBlockName(upperAscii(text.substr(at + 2, nameEnd - at - 2))))
                return true;
        }
        return false;
    }

    // A start tag raises the walk's depth for the next line, unless it was
    // self-closed or excluded; an end tag's own line stands one level lower.
    bool leavesDepthAlone(std::size_t row, const LeadingTag& tag) const
    {
        if (marks(row).inRawBlock || tag.kind != LineKind::Start || isRawBlockName(tag.name)
            || row + 1 == lineCount())
            return false;
        const bool nextEnds = leadingTagOf(row + 1).kind == LineKind::End;
        return nextEnds ? blanks(row + 1) < blanks(row) : blanks(row + 1) <= blanks(row);
    }

    // Names whose every start tag leaves the depth alone were excluded; the
    // other such start tags were self-closed.
    void markDepthNeutralStarts()
    {
        std::map<std::string, bool> alwaysNeutral;
        for (std::size_t row = 0; row + 1 < lineCount(); ++row) {
            // The last line has no next line to tell; its name's other start tags do.
            const LeadingTag tag = leadingTagOf(row);
            if (marks(row).inRawBlock || tag.kind != LineKind::Start)
                continue;
            const bool neutral = leavesDepthAlone(row, tag);
            bool& every = alwaysNeutral.emplace(tag.name, true).first->second;
            every = every && neutral;
            marks(row).depthNeutral = neutral;
        }
        if (m_rules.excluded) {
            m_excluded = *m_rules.excluded;
            return;
        }
        std::vector<std::string> excluded;
        for (const auto& [name, neutral] : alwaysNeutral) {
            if (neutral)
                excluded.push_back(name);
        }
        m_excluded = ExcludedTags(excluded);
    }

    // The balance reads the listing with the self-closed start tags that the
    // rules honour made text, in place, and then put back.
    void balance()
    {
        blankSelfClosedStarts();
        m_unbalanced = unbalancedTags(m_result.m_listing, m_excluded, m_rules.rules, &m_counted);
        restoreSelfClosedStarts();
    }

    void blankSelfClosedStarts()
    {
        ForeignContent foreign;
        for (std::size_t row = 0; row < lineCount(); ++row) {
            const std::string name = leadingTagOf(row).name;
            const bool inForeign = m_rules.rules == TagRules::Html && foreign.holds(row, *this, name);
            if (!marks(row).depthNeutral || m_excluded.contains(name))
                continue;
            if (m_rules.rules == TagRules::Xml || inForeign || (htmlKindsOf(name) & kForeignRoot))
                m_result.m_listing[leadingByteAt(row)] = ' ';
        }
    }

    // Every line marked so led with its start tag's '<'.
    void restoreSelfClosedStarts()
    {
        for (std::size_t row = 0; row < lineCount(); ++row) {
            if (marks(row).depthNeutral)
                m_result.m_listing[leadingByteAt(row)] = '<';
        }
    }

    std::size_t leadingByteAt(std::size_t row) const { return m_result.m_lineStarts[row] + blanks(row); }

    // Which lines lie in SVG or MathML, where HTML's rules let "/>" close:
    // the lines deeper than an open SVG or MATH line, up to the next line
    // no deeper, but for what lies in their HTML integration points.
    class ForeignContent {
    public:
        // Takes the rows in order, before any is blanked.
        bool holds(std::size_t row, const ListingAnalyser& analyser, const std::string& name)
        {
            const std::size_t depth = analyser.blanks(row);
            while (!m_open.empty() && depth <= m_open.back().depth)
                m_open.pop_back();
            const bool inForeign = !m_open.empty() && m_open.back().foreign;
            if (analyser.marks(row).inRawBlock || analyser.marks(row).depthNeutral
                || analyser.leadingTagOf(row).kind != LineKind::Start)
                return inForeign;
            const std::uint32_t kinds = htmlKindsOf(name);
            if (kinds & kForeignRoot)
                m_open.push_back({depth, true});
            else if (inForeign && (kinds & kIntegrationPoint))
                m_open.push_back({depth, false});
            return inForeign;
        }

    private:
        struct Open {
            std::size_t depth;
            bool foreign;
        };
        std::vector<Open> m_open;
    };

    // The upper-cased name of the counted tag whose '<' is at an offset.
    std::string countedName(const CountedTag& tag) const
    {
        const std::string_view listing = m_result.m_listing;
        const std::size_t nameStart = tag.offset + (tag.side == TagSide::Start ? 1 : 2);
        return upperAscii(listing.substr(nameStart, tagNameEnd(listing, nameStart) - nameStart));
    }

    std::size_t rowAt(std::size_t offset) const
    {
        const std::vector<std::size_t>& starts = m_result.m_lineStarts;
        const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
        return static_cast<std::size_t>(next - starts.begin()) - 1;
    }

    void describeLines()
    {
        for (std::size_t row = 0; row < lineCount(); ++row) {
            if (!marks(row).inRawBlock)
                describeUncounted(row);
        }
        for (std::size_t row = 0; row < lineCount(); ++row) {
            if (marks(row).depthNeutral)
                describeLeading(row, LineKind::SelfClosed, Balance::None);
        }
        for (const CountedTag& tag : m_counted)
            settleCounted(tag);
        for (const UnbalancedTag& tag : m_unbalanced)
            settle(rowAt(tag.offset), tag.side == TagSide::Start ? Balance::Unclosed : Balance::Stray);
    }

    // Declarations, and the tags that take no part by their name or the rules.
    void describeUncounted(std::size_t row)
    {
        const LeadingTag tag = leadingTagOf(row);
        if (tag.kind == LineKind::Declaration)
            marks(row).kind = static_cast<std::uint32_t>(LineKind::Declaration);
        else if (tag.kind != LineKind::Text && isEmptyElement(tag.name))
            describeLeading(row, tag.kind, tag.kind == LineKind::Start ? Balance::Void : Balance::None);
        else if (tag.kind != LineKind::Text && m_excluded.contains(tag.name))
            describeLeading(row, tag.kind, Balance::None);
        else if (tag.kind != LineKind::Text && m_rules.rules == TagRules::Html
                 && (htmlKindsOf(tag.name) & kDocumentFrame))
            describeLeading(row, tag.kind, Balance::None); // HTML's rules never leave these open
    }

    // The line's leading tag names it from now on, with the line's kind.
    void describeLeading(std::size_t row, LineKind kind, Balance balance)
    {
        marks(row).kind = static_cast<std::uint32_t>(kind);
        settle(row, balance);
    }

    // A counted tag that leads its line names the line.
    void settleCounted(const CountedTag& tag)
    {
        const std::size_t row = rowAt(tag.offset);
        if (tag.offset == m_result.m_lineStarts[row] + blanks(row)) {
            marks(row).leadsCounted = true;
            describeLeading(row, tag.side == TagSide::Start ? LineKind::Start : LineKind::End, Balance::None);
        }
        settle(row, Balance::Matched);
    }

    void settle(std::size_t row, Balance balance)
    {
        const auto worse = static_cast<std::uint32_t>(balance);
        marks(row).balance = std::max<std::uint32_t>(marks(row).balance, worse);
    }

    // Every counted tag, and every line that a tag taking no part leads.
    void summarise()
    {
        std::map<std::string, TagSummary> byName;
        auto count = [&byName](const std::string& name, std::size_t row, std::size_t TagSummary::*counter) {
            TagSummary& summary = byName[name];
            ++(summary.*counter);
            if (summary.lines.empty() || summary.lines.back() != row)
                summary.lines.push_back(static_cast<std::uint32_t>(row));
        };
        auto counted = m_counted.begin();
        for (std::size_t row = 0; row < lineCount(); ++row) {
            for (; counted != m_counted.end() && rowAt(counted->offset) == row; ++counted)
                count(countedName(*counted), row,
                      counted->side == TagSide::Start ? &TagSummary::starts : &TagSummary::ends);
            const std::string tag = m_result.tag(row);
            if (tag.empty() || marks(row).leadsCounted)
                continue;
            const LineKind kind = m_result.kind(row);
            count(tag, row,
                  kind == LineKind::End          ? &TagSummary::ends
                  : kind == LineKind::SelfClosed ? &TagSummary::selfClosed
                                                 : &TagSummary::starts);
        }
        for (const UnbalancedTag& tag : m_unbalanced) {
            TagSummary& summary = byName[upperAscii(tag.name)];
            ++summary.unmatched;
            summary.unmatchedLines.push_back(static_cast<std::uint32_t>(rowAt(tag.offset)));
            ++(tag.side == TagSide::Start ? m_result.m_unclosed : m_result.m_stray);
        }
        m_counted = {};
        m_result.m_tags.reserve(byName.size());
        for (auto& [name, summary] : byName) {
            summary.tag = name;
            m_result.m_tags.push_back(std::move(summary));
        }
    }

    const ListingRules& m_rules;
    ExcludedTags m_excluded;
    std::vector<CountedTag> m_counted;
    std::vector<UnbalancedTag> m_unbalanced; // their names point into the listing
    LineAnalysis m_result;
};

LineAnalysis analyseListing(std::string listing, const ListingRules& rules)
{
    return ListingAnalyser(std::move(listing), rules).run();
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
