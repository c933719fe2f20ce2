#include "document/htmltagbalance.h"

#include "document/foundtags.h"
#include "document/tagnames.h"
#include "document/tagscan.h"
#include "util/sjis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace vorelind {

namespace {

constexpr std::uint32_t kNone = UINT32_MAX;

// The start of an element that no start tag opened, which the rules implied.
constexpr std::size_t kNoStart = SIZE_MAX;

// The start tag of an element: the offset of its '<', or kNoStart, and
// whether it is among the unclosed already. An element may be closed
// implicitly, reopened and closed again many times over, and is listed once.
struct StartTag {
    std::size_t offset;
    bool unclosed;
};

// Names the rules ask for by name; registered first, so their ids are these.
enum KnownName : std::uint32_t { kP, kLi, kDd, kDt, kTr, kTbody, kTable, kButton, kRuby, kOption, kOptgroup,
                                 kColgroup, kCol, kRt, kRp, kHead, kPlaintext, kForm, kSelect,
                                 kKnownNameCount };
constexpr std::array<std::string_view, kKnownNameCount> kKnownNames = {
    "P", "LI", "DD", "DT", "TR", "TBODY", "TABLE", "BUTTON", "RUBY", "OPTION", "OPTGROUP",
    "COLGROUP", "COL", "RT", "RP", "HEAD", "PLAINTEXT", "FORM", "SELECT",
};

// The sets of open elements whose topmost entry the rules ask for.
enum TrackedSet : std::uint32_t {
    kDefaultScope, // bounds "in scope"
    kButtonScope,  // bounds "in button scope"
    kListScope,    // bounds "in list item scope"
    kTableScope,   // bounds "in table scope"
    kSpecialSet,   // stops an end tag's search
    kListItemStop, // stops a list item's search: special but for ADDRESS, DIV and P
    kHeadingSet,
    kCellSet,
    kSectionSet,
    kTrackedSetCount,
};

constexpr std::uint32_t bit(TrackedSet set)
{
    return 1u << set;
}

constexpr std::uint32_t kScopeSets = bit(kDefaultScope) | bit(kButtonScope) | bit(kListScope);

// The tracked sets an HTML element of a name belongs to.
std::uint32_t setsOf(std::string_view upperName, std::uint32_t kinds)
{
    std::uint32_t sets = 0;
    if (kinds & kScopeBoundary)
        sets |= kScopeSets;
    if (upperName == "BUTTON")
        sets |= bit(kButtonScope);
    if (upperName == "OL" || upperName == "UL")
        sets |= bit(kListScope);
    if (kinds & kTableBoundary)
        sets |= bit(kTableScope);
    if (kinds & kSpecial) {
        sets |= bit(kSpecialSet);
        if (upperName != "ADDRESS" && upperName != "DIV" && upperName != "P")
            sets |= bit(kListItemStop);
    }
    if (kinds & kHeading)
        sets |= bit(kHeadingSet);
    if (kinds & kCell)
        sets |= bit(kCellSet);
    if (kinds & kTableSection)
        sets |= bit(kSectionSet);
    return sets;
}

// What the walk knows about one name.
struct HtmlFacts {
    std::uint64_t key; // as TagNames keys it
    std::uint32_t kinds;
    std::uint32_t sets;
    bool reported; // not excluded
    bool reopens;  // its start tag reopens the formatting elements closed implicitly
    bool marker;   // keeps the formatting closed inside it from reopening outside
    bool closesOthers; // its start tag may close open elements first
};

// Whether a start tag reopens the formatting elements before it enters:
// inline ones do, blocks and the parts of lists, tables and ruby do not.
bool reopensBefore(std::string_view upperName, std::uint32_t kinds)
{
    if (kinds & (kRubyPart | kDocumentFrame | kTablePart))
        return false;
    return !(kinds & kSpecial) || (kinds & kVoid) || upperName == "APPLET" || upperName == "MARQUEE"
        || upperName == "OBJECT" || upperName == "SELECT";
}

// Whether a start tag may close open elements before it enters, as
// closeImplicitly reads the rules: most names close nothing, and are
// spared the tests one by one.
bool closesOthers(std::string_view upperName, std::uint32_t kinds)
{
    constexpr std::uint32_t kClosingKinds = kListItemLike | kClosesP | kHeading | kRubyPart | kTablePart
        | kReopensOnRepeat;
    return (kinds & kClosingKinds) || upperName == "OPTION" || upperName == "OPTGROUP" || upperName == "BUTTON";
}

// Cells, captions and embedded objects keep the formatting closed inside
// them from reopening outside.
bool isMarker(std::string_view upperName, std::uint32_t kinds)
{
    return (kinds & kScopeBoundary) && upperName != "TABLE" && upperName != "HTML";
}

// An element on the stack.
struct OpenElement {
    StartTag start;
    std::uint32_t nameId;
    std::uint32_t below;  // the next entry of the same name down the stack, or kNone
    std::uint32_t sets;   // the tracked sets it was entered in
    std::uint32_t reopeningMark; // for a marker: the reopenings before it, which it hides
    bool foreign;         // inside SVG or MathML
    bool removed;         // taken out from under others: no longer its name's entry
};

// A formatting element closed implicitly: it reopens at the next text or
// inline start tag, so that its own end tag after them closes it.
struct Reopening {
    std::uint32_t nameId;
    StartTag start;
};

// Why an element leaves the stack.
enum class Popped {
    ByItsEndTag, // closed as written
    Implicitly,  // closed by another tag: unclosed, unless its end tag may be left out
    Misnested,   // closed by a formatting end tag around it, which is the finding
};

// At most this many reopenings of one name are kept, as the parser keeps.
constexpr std::size_t kReopeningsPerName = 3;

class HtmlTagBalance {
public:
    HtmlTagBalance(std::string_view text, const ExcludedTags& excluded, std::vector<CountedTag>* counted)
        : m_text(text)
        , m_excluded(excluded)
        , m_counted(counted)
        , m_quirks(isQuirksDoctype(leadingDoctype(text)))
    {
        reserveFoundTags(m_stray, text);
        for (std::string_view name : kKnownNames)
            addFacts(m_names.upperName(m_names.idOf(name, TagNames::keyOf(name))));
    }

    void run(UnbalancedTagSink& sink)
    {
        std::size_t textStart = 0;
        for (std::size_t i = nextMarkup(m_text, 0); i < m_text.size(); i = nextMarkup(m_text, i)) {
            if (i > textStart)
                reopenAtText();
            i = afterMarkup(i);
            textStart = i;
        }
        for (OpenElement& open : m_open) {
            if (!open.removed && reportedUnclosed(open))
                noteUnclosed(open.start);
        }
        mergeFindings(m_text, m_unclosed, m_stray, sink);
    }

private:
    std::size_t afterMarkup(std::size_t i)
    {
        const MarkupStart markup = markupAt(m_text, i);
        switch (markup.kind) {
        case Markup::StartTag:
            return afterStartTag(i);
        case Markup::EndTag:
            return afterEndTag(i);
        case Markup::Other:
            break;
        }
        if (markup.otherEnd == i + 1)
            reopenAtText(); // a '<' that opens nothing is text
        return markup.otherEnd;
    }

    // Text reopens the formatting elements closed implicitly, where it stands.
    void reopenAtText()
    {
        if (m_reopening.empty() || inForeignContent()
            || (!m_open.empty() && (m_facts[m_open.back().nameId].kinds & kRawText)))
            return;
        reopen();
    }

    void reopen()
    {
        const std::vector<Reopening> reopening = std::move(m_reopening);
        m_reopening.clear();
        for (const Reopening& entry : reopening)
            push(entry.start, entry.nameId, false);
    }

    std::size_t afterStartTag(std::size_t i)
    {
        const NameSpan span = readName(m_text, i + 1);
        const TagEnd end = htmlTagEndFrom(m_text, span.end);
        const std::uint32_t id = nameId(m_text.substr(i + 1, span.end - (i + 1)), span.key);
        const std::uint32_t kinds = m_facts[id].kinds;
        if (inForeignContent()) {
            pushStart(i, id, true);
            if (end.selfClosed)
                popOne(Popped::ByItsEndTag);
            return end.next;
        }
        if (kinds & kDocumentFrame)
            return end.next;
        if (!m_open.empty() && m_open.back().nameId == kColgroup && id != kCol)
            popOne(Popped::Implicitly); // a column group holds only columns
        if ((kinds & kTablePart) && id != kTable && !tableInScope())
            return end.next; // a table part outside a table is dropped
        if (id == kForm && m_topByName[kForm] != kNone)
            return end.next; // a form inside a form is dropped
        if (id == kSelect && m_topByName[kSelect] != kNone) {
            popTo(m_topByName[kSelect], Popped::ByItsEndTag); // a select inside a select ends the first
            return end.next;
        }
        if (m_facts[id].closesOthers)
            closeImplicitly(id, kinds);
        if (m_facts[id].reopens && !m_reopening.empty())
            reopen();
        if (kinds & kVoid)
            return end.next;
        pushStart(i, id, (kinds & kForeignRoot) != 0);
        if ((kinds & kForeignRoot) && end.selfClosed)
            popOne(Popped::ByItsEndTag);
        if (kinds & kForeignRoot)
            return end.next;
        if (id == kPlaintext)
            return m_text.size(); // the rest of the page is its text
        if (kinds & kRawText)
            return rawTextEnd(m_text, end.next, m_names.upperName(id));
        return end.next;
    }

    // The start tag of a name closes what HTML closes before it; only the
    // names that closesOthers takes come here.
    void closeImplicitly(std::uint32_t id, std::uint32_t kinds)
    {
        if (kinds & kListItemLike)
            closeListItem(id);
        if (((kinds & kClosesP) && !(id == kTable && m_quirks)) || (kinds & kListItemLike))
            closeP();
        if ((kinds & kHeading) && currentIs(kHeadingSet))
            popOne(Popped::Implicitly); // a heading inside a heading: the outer one was never closed
        if (id == kOption || id == kOptgroup) {
            if (currentIsName(kOption))
                popOne(Popped::Implicitly);
            if (id == kOptgroup && currentIsName(kOptgroup))
                popOne(Popped::Implicitly);
        }
        if ((kinds & kRubyPart) && inScope(m_topByName[kRuby], kDefaultScope))
            closeRubyParts(id == kRt || id == kRp);
        if (kinds & kTablePart)
            enterTablePart(id, kinds);
        if (kinds & kReopensOnRepeat)
            closeRepeated(id);
        if (id == kButton && inScope(m_topByName[kButton], kDefaultScope))
            popTo(m_topByName[kButton], Popped::Implicitly);
    }

    // LI closes an open LI, DD and DT close either, unless a special element stands between.
    void closeListItem(std::uint32_t id)
    {
        const std::uint32_t item = id == kLi ? m_topByName[kLi] : higher(m_topByName[kDd], m_topByName[kDt]);
        if (item != kNone && item == top(kListItemStop))
            popTo(item, Popped::Implicitly);
    }

    void closeP()
    {
        const std::uint32_t p = m_topByName[kP];
        if (inScope(p, kButtonScope))
            popTo(p, Popped::Implicitly);
    }

    void closeRubyParts(bool keepTextContainer)
    {
        while (!m_open.empty() && !m_open.back().foreign && (m_facts[m_open.back().nameId].kinds & kImpliedEnd)
               && !(keepTextContainer && m_names.upperName(m_open.back().nameId) == "RTC"))
            popOne(Popped::Implicitly);
    }

    // Cells, rows and sections close the ones open at their level and imply the levels above.
    void enterTablePart(std::uint32_t id, std::uint32_t kinds)
    {
        if (id == kTable)
            return;
        closeInTableScope(top(kCellSet));
        if (kinds & kCell) {
            enterRow();
            return;
        }
        closeInTableScope(m_topByName[kTr]);
        if (id == kTr) {
            enterSection();
            return;
        }
        closeInTableScope(top(kSectionSet));
        popAbove(m_topByName[kTable]);
    }

    void enterSection()
    {
        if (inScope(top(kSectionSet), kTableScope)) {
            popAbove(top(kSectionSet));
            return;
        }
        popAbove(m_topByName[kTable]);
        pushImplied(kTbody);
    }

    void enterRow()
    {
        if (inScope(m_topByName[kTr], kTableScope)) {
            popAbove(m_topByName[kTr]);
            return;
        }
        enterSection();
        pushImplied(kTr);
    }

    void closeInTableScope(std::uint32_t position)
    {
        if (inScope(position, kTableScope))
            popTo(position, Popped::Implicitly);
    }

    // A second A or NOBR while one is open: the first one was never closed.
    void closeRepeated(std::uint32_t id)
    {
        const std::uint32_t earlier = m_topByName[id];
        if (inScope(earlier, kDefaultScope)) {
            markUnclosed(m_open[earlier].start, id);
            remove(earlier);
            return;
        }
        StartTag reopening = takeReopening(id);
        markUnclosed(reopening, id);
    }

    std::size_t afterEndTag(std::size_t i)
    {
        std::size_t nameEnd = 0;
        const std::uint32_t id = endTagNameId(i + 2, nameEnd);
        const std::size_t next = htmlTagEndFrom(m_text, nameEnd).next;
        const std::uint32_t kinds = m_facts[id].kinds;
        if (kinds & kVoid) {
            // A void element has no end tag to close it; "</br>" is read as a line break.
            if (m_names.upperName(id) != "BR")
                addStray(i, id);
            return next;
        }
        if (kinds & kDocumentFrame) {
            // HTML ignores these, but not inside a table, where they close nothing.
            if (id != kHead && m_topByName[kTable] != kNone)
                addStray(i, id);
            return next;
        }
        noteCounted(TagSide::End, i, id);
        if (!m_open.empty() && m_open.back().foreign) {
            const std::uint32_t foreign = m_topByName[id];
            if (foreign != kNone && m_open[foreign].foreign) {
                popTo(foreign, Popped::ByItsEndTag);
                return next;
            }
        }
        if (kinds & kFormatting) {
            closeFormatting(i, id);
            return next;
        }
        if (id == kForm) {
            closeForm(i);
            return next;
        }
        const std::uint32_t element = elementClosedBy(id, kinds);
        if (element == kNone)
            addStray(i, id);
        else
            popTo(element, Popped::ByItsEndTag);
        return next;
    }

    // The id of an end tag's name, and where the name ends. Most end tags
    // name the current element, which needs no look-up: its key is compared.
    std::uint32_t endTagNameId(std::size_t nameStart, std::size_t& nameEnd)
    {
        const NameSpan span = readName(m_text, nameStart);
        nameEnd = span.end;
        if (!m_open.empty() && span.key != TagNames::kEmptyKey && span.key == m_facts[m_open.back().nameId].key)
            return m_open.back().nameId;
        return nameId(m_text.substr(nameStart, span.end - nameStart), span.key);
    }

    // The stack entry an end tag closes, or kNone when it closes nothing.
    std::uint32_t elementClosedBy(std::uint32_t id, std::uint32_t kinds) const
    {
        const std::uint32_t topmost = m_topByName[id];
        if (id == kP)
            return within(topmost, kButtonScope);
        if (id == kLi)
            return within(topmost, kListScope);
        if (kinds & kHeading)
            return within(top(kHeadingSet), kDefaultScope); // any heading's end tag closes the open one
        if (kinds & kTablePart)
            return within(topmost, kTableScope);
        if (kinds & kSpecial)
            return within(topmost, kDefaultScope);
        return within(topmost, kSpecialSet);
    }

    // A formatting end tag: closes its element, or one that reopens, or
    // nothing. Around elements still open it closes its element where they
    // stand, and is itself the finding.
    void closeFormatting(std::size_t i, std::uint32_t id)
    {
        const std::uint32_t element = m_topByName[id];
        if (element != kNone) {
            if (!inScope(element, kDefaultScope)) {
                addStray(i, id);
                return;
            }
            if (element + 1 == m_open.size()) {
                popOne(Popped::ByItsEndTag);
                return;
            }
            addStray(i, id);
            if (top(kSpecialSet) != kNone && top(kSpecialSet) > element)
                remove(element); // the blocks inside it stay open
            else
                popTo(element, Popped::ByItsEndTag, Popped::Misnested);
            return;
        }
        takeReopening(id); // closed before, not reopened since: its end tag closes nothing
        addStray(i, id);
    }

    // A form's end tag takes the form out of the stack alone: what is open
    // inside it stays open, and was not closed where the form was.
    void closeForm(std::size_t i)
    {
        const std::uint32_t form = within(m_topByName[kForm], kDefaultScope);
        if (form == kNone) {
            addStray(i, kForm);
            return;
        }
        for (std::size_t above = form + 1; above < m_open.size(); ++above) {
            OpenElement& open = m_open[above];
            if (!open.removed && reportedUnclosed(open))
                noteUnclosed(open.start);
        }
        if (form + 1 == m_open.size())
            popOne(Popped::ByItsEndTag);
        else
            remove(form);
    }

    bool inForeignContent() const
    {
        return !m_open.empty() && m_open.back().foreign && !(m_facts[m_open.back().nameId].kinds & kIntegrationPoint);
    }

    bool currentIs(TrackedSet set) const { return !m_open.empty() && top(set) == m_open.size() - 1; }

    bool currentIsName(std::uint32_t id) const
    {
        return !m_open.empty() && m_topByName[id] == m_open.size() - 1;
    }

    bool tableInScope() const { return inScope(m_topByName[kTable], kTableScope); }

    std::uint32_t top(TrackedSet set) const { return m_sets[set].empty() ? kNone : m_sets[set].back(); }

    static std::uint32_t higher(std::uint32_t a, std::uint32_t b)
    {
        if (a == kNone)
            return b;
        return b == kNone ? a : std::max(a, b);
    }

    // Whether an entry is in the scope a set bounds: no member of the set above it.
    bool inScope(std::uint32_t position, TrackedSet boundaries) const
    {
        return position != kNone && (top(boundaries) == kNone || top(boundaries) <= position);
    }

    std::uint32_t within(std::uint32_t position, TrackedSet boundaries) const
    {
        return inScope(position, boundaries) ? position : kNone;
    }

    void pushStart(std::size_t offset, std::uint32_t id, bool foreign)
    {
        noteCounted(TagSide::Start, offset, id);
        push({offset, false}, id, foreign);
    }

    void pushImplied(std::uint32_t id) { push({kNoStart, false}, id, false); }

    void push(StartTag start, std::uint32_t id, bool foreign)
    {
        const auto position = static_cast<std::uint32_t>(m_open.size());
        std::uint32_t sets = m_facts[id].sets;
        if (foreign)
            sets = (m_facts[id].kinds & kIntegrationPoint) ? kScopeSets : 0;
        m_open.push_back({start, id, m_topByName[id], sets, static_cast<std::uint32_t>(m_reopening.size()), foreign,
                          false});
        m_topByName[id] = position;
        for (std::uint32_t rest = sets; rest != 0; rest &= rest - 1)
            m_sets[std::countr_zero(rest)].push_back(position);
    }

    // Pops the current element; one closed implicitly is unclosed, and a
    // formatting element reopens, so that its own end tag later is no stray.
    void popOne(Popped how)
    {
        OpenElement open = m_open.back();
        m_open.pop_back();
        for (std::uint32_t rest = open.sets; rest != 0; rest &= rest - 1)
            m_sets[std::countr_zero(rest)].pop_back();
        if (!open.foreign && m_facts[open.nameId].marker)
            m_reopening.resize(std::min<std::size_t>(m_reopening.size(), open.reopeningMark));
        if (open.removed)
            return;
        m_topByName[open.nameId] = open.below;
        if (how == Popped::ByItsEndTag || open.start.offset == kNoStart)
            return;
        // Listed first, so that a reopening knows its start tag is listed.
        if (how == Popped::Implicitly && reportedUnclosed(open))
            noteUnclosed(open.start);
        if (!open.foreign && (m_facts[open.nameId].kinds & kFormatting))
            addReopening(open.nameId, open.start);
    }

    void popTo(std::uint32_t position, Popped how, Popped above = Popped::Implicitly)
    {
        popAbove(position, above);
        popOne(how);
    }

    void popAbove(std::uint32_t position, Popped how = Popped::Implicitly)
    {
        while (position != kNone && m_open.size() > position + 1)
            popOne(how);
    }

    // Takes the topmost entry of its name out from under others.
    void remove(std::uint32_t position)
    {
        OpenElement& open = m_open[position];
        m_topByName[open.nameId] = open.below;
        open.removed = true;
    }

    bool reportedUnclosed(const OpenElement& open) const
    {
        const HtmlFacts& facts = m_facts[open.nameId];
        return facts.reported && (open.foreign || !(facts.kinds & kOptionalEnd));
    }

    void markUnclosed(StartTag& start, std::uint32_t id)
    {
        if (m_facts[id].reported)
            noteUnclosed(start);
    }

    // Lists a start tag among the unclosed, once.
    void noteUnclosed(StartTag& start)
    {
        if (start.offset == kNoStart || start.unclosed)
            return;
        m_unclosed.push_back(start.offset);
        start.unclosed = true;
    }

    void addReopening(std::uint32_t id, StartTag start)
    {
        const auto sameName = [id](const Reopening& entry) { return entry.nameId == id; };
        if (static_cast<std::size_t>(std::count_if(m_reopening.begin(), m_reopening.end(), sameName))
            == kReopeningsPerName)
            m_reopening.erase(std::find_if(m_reopening.begin(), m_reopening.end(), sameName));
        m_reopening.push_back({id, start});
    }

    // The start of the latest reopening of a name, taken off the list; kNoStart when there is none.
    StartTag takeReopening(std::uint32_t id)
    {
        const auto found = std::find_if(m_reopening.rbegin(), m_reopening.rend(),
                                        [id](const Reopening& entry) { return entry.nameId == id; });
        if (found == m_reopening.rend())
            return {kNoStart, false};
        const StartTag start = found->start;
        m_reopening.erase(std::next(found).base());
        return start;
    }

    void addStray(std::size_t offset, std::uint32_t id)
    {
        if (m_facts[id].reported)
            m_stray.push_back({static_cast<std::uint32_t>(offset),
                               static_cast<std::uint32_t>(m_names.upperName(id).size())});
    }

    void noteCounted(TagSide side, std::size_t offset, std::uint32_t id)
    {
        if (m_counted && m_facts[id].reported)
            m_counted->push_back({side, offset});
    }

    // The id of the name, its facts made on first sight.
    std::uint32_t nameId(std::string_view name, std::uint64_t key)
    {
        const std::uint32_t id = m_names.idOf(name, key);
        if (id == m_facts.size())
            addFacts(m_names.upperName(id));
        return id;
    }

    void addFacts(const std::string& upper)
    {
        const std::uint32_t kinds = htmlKindsOf(upper);
        m_facts.push_back({TagNames::keyOf(upper), kinds, setsOf(upper, kinds), !m_excluded.contains(upper),
                           reopensBefore(upper, kinds), isMarker(upper, kinds), closesOthers(upper, kinds)});
        m_topByName.push_back(kNone);
    }

    std::string_view m_text;
    const ExcludedTags& m_excluded;
    std::vector<CountedTag>* m_counted;
    bool m_quirks;
    TagNames m_names;
    std::vector<HtmlFacts> m_facts;        // by name id
    std::vector<std::uint32_t> m_topByName; // by name id: its topmost entry, or kNone
    std::vector<OpenElement> m_open;
    std::array<std::vector<std::uint32_t>, kTrackedSetCount> m_sets; // the positions of each set's entries
    std::vector<std::size_t> m_unclosed; // the start tags left open, in the order they were found so
    FoundTags<StrayTag> m_stray;         // the end tags that closed nothing, in source order
    std::vector<Reopening> m_reopening;
};

// Public identifiers that put a page in quirks mode, upper-cased: a
// doctype whose identifier starts with one of these.
constexpr std::array<std::string_view, 22> kQuirksPublicPrefixes = {
    "+//SILMARIL//DTD HTML PRO V0R11 19970101//",
    "-//AS//DTD HTML 3.0 ASWEDIT + EXTENSIONS//",
    "-//ADVASOFT LTD//DTD HTML 3.0 ASWEDIT + EXTENSIONS//",
    "-//IETF//DTD HTML",
    "-//METRIUS//DTD METRIUS PRESENTATIONAL//",
    "-//MICROSOFT//DTD INTERNET EXPLORER ",
    "-//NETSCAPE COMM. CORP.//DTD ",
    "-//O'REILLY AND ASSOCIATES//DTD HTML ",
    "-//SPYGLASS//DTD HTML 2.0 EXTENDED//",
    "-//SQ//DTD HTML 2.0 HOTMETAL + EXTENSIONS//",
    "-//SOFTQUAD SOFTWARE//DTD HOTMETAL PRO ",
    "-//SOFTQUAD//DTD HOTMETAL PRO ",
    "-//SUN MICROSYSTEMS CORP.//DTD HOTJAVA",
    "-//W3C//DTD HTML 3",
    "-//W3C//DTD HTML 4.0 FRAMESET//",
    "-//W3C//DTD HTML 4.0 TRANSITIONAL//",
    "-//W3C//DTD HTML EXPERIMENTAL ",
    "-//W3C//DTD W3 HTML//",
    "-//W3O//DTD W3 HTML ",
    "-//WEBTECHS//DTD MOZILLA HTML",
    "-/W3C/DTD HTML 4.0 TRANSITIONAL/EN",
    "HTML",
};

// These put a page in quirks mode only when no system identifier follows.
constexpr std::array<std::string_view, 2> kQuirksWithoutSystemPrefixes = {
    "-//W3C//DTD HTML 4.01 FRAMESET//",
    "-//W3C//DTD HTML 4.01 TRANSITIONAL//",
};

// The quoted texts of a doctype after its name, in order.
std::vector<std::string_view> quotedParts(std::string_view doctype)
{
    std::vector<std::string_view> parts;
    for (std::size_t i = doctype.find_first_of("\"'"); i != std::string_view::npos;) {
        const std::size_t close = doctype.find(doctype[i], i + 1);
        parts.push_back(doctype.substr(i + 1, close == std::string_view::npos ? close : close - i - 1));
        if (close == std::string_view::npos)
            break;
        i = doctype.find_first_of("\"'", close + 1);
    }
    return parts;
}

} // namespace

bool isQuirksDoctype(const std::optional<std::string_view>& doctype)
{
    if (!doctype)
        return true;
    const std::string upper = upperAscii(*doctype);
    const std::size_t nameStart = upper.find_first_not_of(" \t\r\n\f");
    const std::size_t nameEnd = upper.find_first_of(" \t\r\n\f", nameStart);
    if (nameStart == std::string::npos || upper.substr(nameStart, nameEnd - nameStart) != "HTML")
        return true;
    if (upper.find("PUBLIC", nameEnd) == std::string::npos)
        return false;
    const std::vector<std::string_view> parts = quotedParts(upper);
    if (parts.empty())
        return false;
    const std::string_view publicId = parts[0];
    const auto startsPublic = [publicId](std::string_view prefix) { return publicId.starts_with(prefix); };
    if (std::any_of(kQuirksPublicPrefixes.begin(), kQuirksPublicPrefixes.end(), startsPublic))
        return true;
    return parts.size() == 1
        && std::any_of(kQuirksWithoutSystemPrefixes.begin(), kQuirksWithoutSystemPrefixes.end(), startsPublic);
}

void findHtmlUnbalancedTags(std::string_view text, const ExcludedTags& excluded, std::vector<CountedTag>* counted,
                            UnbalancedTagSink& sink)
{
    HtmlTagBalance(text, excluded, counted).run(sink);
}

} // namespace vorelind
