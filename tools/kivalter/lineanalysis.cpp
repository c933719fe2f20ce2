#include "tools/kivalter/lineanalysis.h"

#include "document/listing.h"
#include "document/tagbalance.h"
#include "tree/treefill.h"
#include "util/sjis.h"

#include <algorithm>
#include <map>

namespace vorelind {

namespace {

// The walk keeps the line breaks of these blocks and starts no lines inside them.
bool isRawBlockName(std::string_view name)
{
    return name == "SCRIPT" || name == "PRE";
}

bool isAsciiLetter(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

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
    if (nameStart >= rest.size() || !isAsciiLetter(rest[nameStart]))
        return {};
    const std::size_t nameEnd = tagNameEnd(rest, nameStart);
    return {nameStart == 2 ? LineKind::End : LineKind::Start, upperAscii(rest.substr(nameStart, nameEnd - nameStart))};
}

struct ListingRow {
    std::size_t offset; // of the line in the listing
    std::size_t blanks;
    LeadingTag tag;
    bool inRawBlock; // a line of a SCRIPT or PRE block after its first
};

class ListingAnalyser {
public:
    explicit ListingAnalyser(std::string_view listing)
        : m_listing(listing)
    {
    }

    LineAnalysis run()
    {
        readRows();
        markDepthNeutralStarts();
        balance();
        describeLines();
        summarise();
        return std::move(m_result);
    }

private:
    void readRows()
    {
        bool inRawBlock = false;
        for (const std::string_view line : listingLines(m_listing)) {
            const std::size_t blanks = lineDepth(line);
            LeadingTag tag = leadingTag(line.substr(blanks));
            m_rows.push_back({static_cast<std::size_t>(line.data() - m_listing.data()), blanks, tag, inRawBlock});
            m_lineTexts.push_back(line.substr(blanks));
            // A raw block ends at the first SCRIPT or PRE end tag, as in the walk.
            if (!inRawBlock && tag.kind == LineKind::Start && isRawBlockName(tag.name))
                inRawBlock = !closesRawBlock(line.substr(blanks + 1));
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
    bool leavesDepthAlone(std::size_t row) const
    {
        const ListingRow& line = m_rows[row];
        if (line.inRawBlock || line.tag.kind != LineKind::Start || isRawBlockName(line.tag.name)
            || row + 1 == m_rows.size())
            return false;
        const ListingRow& next = m_rows[row + 1];
        return next.tag.kind == LineKind::End ? next.blanks < line.blanks : next.blanks <= line.blanks;
    }

    // Names whose every start tag leaves the depth alone were excluded; the
    // other such start tags were self-closed.
    void markDepthNeutralStarts()
    {
        std::map<std::string, bool> alwaysNeutral;
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            const ListingRow& line = m_rows[row];
            // The last line has no next line to tell; its name's other start tags do.
            if (line.inRawBlock || line.tag.kind != LineKind::Start || row + 1 == m_rows.size())
                continue;
            const bool neutral = leavesDepthAlone(row);
            bool& every = alwaysNeutral.emplace(line.tag.name, true).first->second;
            every = every && neutral;
            if (neutral)
                m_neutralRows.push_back(row);
        }
        std::vector<std::string> excluded;
        for (const auto& [name, neutral] : alwaysNeutral) {
            if (neutral)
                excluded.push_back(name);
        }
        m_excluded = ExcludedTags(excluded);
    }

    // The balance reads a copy in which the self-closed start tags are text.
    void balance()
    {
        m_balanced.assign(m_listing);
        for (const std::size_t row : m_neutralRows) {
            if (!m_excluded.contains(m_rows[row].tag.name))
                m_balanced[m_rows[row].offset + m_rows[row].blanks] = ' ';
        }
        m_unbalanced = unbalancedTags(m_balanced, m_excluded, &m_counted);
    }

    // The upper-cased name of the counted tag whose '<' is at an offset.
    std::string countedName(const CountedTag& tag) const
    {
        const std::size_t nameStart = tag.offset + (tag.side == TagSide::Start ? 1 : 2);
        return upperAscii(std::string_view(m_balanced).substr(nameStart, tagNameEnd(m_balanced, nameStart) - nameStart));
    }

    std::size_t rowAt(std::size_t offset) const
    {
        const auto next = std::upper_bound(m_rows.begin(), m_rows.end(), offset,
                                           [](std::size_t at, const ListingRow& row) { return at < row.offset; });
        return static_cast<std::size_t>(next - m_rows.begin()) - 1;
    }

    void describeLines()
    {
        m_result.lines.resize(m_rows.size());
        m_leadsCounted.assign(m_rows.size(), false);
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            AnalysedLine& line = m_result.lines[row];
            line.level = m_rows[row].blanks / 2;
            line.text = std::string(m_lineTexts[row]);
        }
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            if (!m_rows[row].inRawBlock)
                describeUncounted(row);
        }
        for (const std::size_t row : m_neutralRows)
            describeLeading(row, LineKind::SelfClosed, Balance::None);
        for (const CountedTag& tag : m_counted)
            settleCounted(tag);
        for (const UnbalancedTag& tag : m_unbalanced)
            settle(rowAt(tag.offset), tag.side == TagSide::Start ? Balance::Unclosed : Balance::Stray);
    }

    // Declarations, and the tags that take no part by their name.
    void describeUncounted(std::size_t row)
    {
        const LeadingTag& tag = m_rows[row].tag;
        if (tag.kind == LineKind::Declaration)
            m_result.lines[row].kind = LineKind::Declaration;
        else if (tag.kind != LineKind::Text && isEmptyElement(tag.name))
            describeLeading(row, tag.kind, tag.kind == LineKind::Start ? Balance::Void : Balance::None);
        else if (tag.kind != LineKind::Text && m_excluded.contains(tag.name))
            describeLeading(row, tag.kind, Balance::None);
    }

    void describeLeading(std::size_t row, LineKind kind, Balance balance)
    {
        AnalysedLine& line = m_result.lines[row];
        line.kind = kind;
        line.tag = m_rows[row].tag.name;
        line.balance = std::max(line.balance, balance);
    }

    // A counted tag that leads its line names the line.
    void settleCounted(const CountedTag& tag)
    {
        const std::size_t row = rowAt(tag.offset);
        if (tag.offset == m_rows[row].offset + m_rows[row].blanks) {
            m_leadsCounted[row] = true;
            describeLeading(row, tag.side == TagSide::Start ? LineKind::Start : LineKind::End, Balance::None);
        }
        settle(row, Balance::Matched);
    }

    void settle(std::size_t row, Balance balance)
    {
        Balance& shown = m_result.lines[row].balance;
        shown = std::max(shown, balance);
    }

    // Every counted tag, and every line that a tag taking no part leads.
    void summarise()
    {
        std::map<std::string, TagSummary> byName;
        auto count = [&byName](const std::string& name, std::size_t row, std::size_t TagSummary::*counter) {
            TagSummary& summary = byName[name];
            ++(summary.*counter);
            if (summary.lines.empty() || summary.lines.back() != row)
                summary.lines.push_back(row);
        };
        auto counted = m_counted.begin();
        for (std::size_t row = 0; row < m_result.lines.size(); ++row) {
            for (; counted != m_counted.end() && rowAt(counted->offset) == row; ++counted)
                count(countedName(*counted), row,
                      counted->side == TagSide::Start ? &TagSummary::starts : &TagSummary::ends);
            const AnalysedLine& line = m_result.lines[row];
            if (line.tag.empty() || m_leadsCounted[row])
                continue;
            count(line.tag, row,
                  line.kind == LineKind::End          ? &TagSummary::ends
                  : line.kind == LineKind::SelfClosed ? &TagSummary::selfClosed
                                                      : &TagSummary::starts);
        }
        for (const UnbalancedTag& tag : m_unbalanced) {
            TagSummary& summary = byName[upperAscii(tag.name)];
            ++summary.unmatched;
            summary.unmatchedLines.push_back(rowAt(tag.offset));
            ++(tag.side == TagSide::Start ? m_result.unclosed : m_result.stray);
        }
        m_result.tags.reserve(byName.size());
        for (auto& [name, summary] : byName) {
            summary.tag = name;
            m_result.tags.push_back(std::move(summary));
        }
    }

    std::string_view m_listing;
    std::string m_balanced; // the copy the balance reads; the findings' names point into it
    std::vector<ListingRow> m_rows;
    std::vector<std::string_view> m_lineTexts;
    std::vector<std::size_t> m_neutralRows; // start tags that left the depth alone
    ExcludedTags m_excluded;
    std::vector<CountedTag> m_counted;
    std::vector<bool> m_leadsCounted; // by row: a counted tag leads the line
    std::vector<UnbalancedTag> m_unbalanced;
    LineAnalysis m_result;
};

} // namespace

LineAnalysis analyseListing(std::string_view listing)
{
    return ListingAnalyser(listing).run();
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
