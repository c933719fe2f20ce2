#include "document/tagbalance.h"

#include "document/foundtags.h"
#include "document/htmltagbalance.h"
#include "document/tagnames.h"
#include "document/tagscan.h"
#include "util/sjis.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vorelind {

namespace {

// What the pairing knows about one upper-cased name.
struct NameFacts {
    bool counted;           // neither an empty element nor excluded
    bool opensText;         // SCRIPT and STYLE hold text up to their end tag
    std::size_t openCount;  // its entries on the stack
};

// A start tag on the stack: the start tag it is, and its name's id.
struct OpenTag {
    std::uint32_t start; // a source is refused above 256 MiB, so it holds fewer tags
    std::uint32_t nameId;
};

// Keeps the tags a sink is handed, in a list.
struct CollectedTags : UnbalancedTagSink {
    bool expect(std::size_t count) override
    {
        tags.reserve(count);
        return true;
    }
    void take(const UnbalancedTag& tag) override { tags.push_back(tag); }

    std::vector<UnbalancedTag> tags;
};

// One run over one text.
class TagBalance {
public:
    TagBalance(std::string_view text, const ExcludedTags& excluded, std::vector<CountedTag>* counted)
        : m_text(text)
        , m_excluded(excluded)
        , m_counted(counted)
    {
        reserveFoundTags(m_starts, text);
        reserveFoundTags(m_stray, text);
    }

    void run(UnbalancedTagSink& sink)
    {
        for (std::size_t i = nextMarkup(m_text, 0); i < m_text.size(); i = nextMarkup(m_text, i))
            i = afterMarkup(i);
        // Kept in source order, the unclosed ones need no sort.
        std::vector<std::size_t> unclosed;
        for (std::size_t start = 0; start < m_starts.size(); ++start) {
            if (!m_closed[start])
                unclosed.push_back(m_starts[start]);
        }
        mergeFindings(m_text, unclosed, m_stray, sink);
    }

private:
    unsigned char at(std::size_t offset) const
    {
        return offset < m_text.size() ? static_cast<unsigned char>(m_text[offset]) : 0;
    }

    NameSpan readName(std::size_t start) const { return vorelind::readName(m_text, start); }

    // Returns the offset after what the '<' at i opens.
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
        return markup.otherEnd;
    }

    std::size_t afterStartTag(std::size_t i)
    {
        const NameSpan span = readName(i + 1);
        const TagEnd end = tagEndFrom(m_text, span.end);
        if (end.selfClosed)
            return end.next;
        const std::string_view name = m_text.substr(i + 1, span.end - (i + 1));
        const std::uint32_t id = nameId(name, span.key);
        NameFacts& facts = m_facts[id];
        if (facts.counted) {
            m_open.push_back({static_cast<std::uint32_t>(m_starts.size()), id});
            m_starts.push_back(i);
            m_closed.push_back(false);
            ++facts.openCount;
            noteCounted(TagSide::Start, i);
        }
        return facts.opensText ? textEnd(end.next, m_names.upperName(id)) : end.next;
    }

    std::size_t afterEndTag(std::size_t i)
    {
        // Most end tags close the tag on top; that needs no look-up of the name.
        if (!m_open.empty() && namesTop(i + 2)) {
            noteCounted(TagSide::End, i);
            const std::size_t nameLength = openName(m_open.back()).size();
            m_closed[m_open.back().start] = true;
            --m_facts[m_open.back().nameId].openCount;
            m_open.pop_back();
            return tagEndFrom(m_text, i + 2 + nameLength).next;
        }
        const NameSpan span = readName(i + 2);
        const std::string_view name = m_text.substr(i + 2, span.end - (i + 2));
        const std::uint32_t id = nameId(name, span.key);
        if (m_facts[id].counted) {
            noteCounted(TagSide::End, i);
            if (m_facts[id].openCount == 0)
                m_stray.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(name.size())});
            else
                closeTopmost(id);
        }
        return tagEndFrom(m_text, span.end).next;
    }

    void noteCounted(TagSide side, std::size_t offset)
    {
        if (m_counted)
            m_counted->push_back({side, offset});
    }

    // Pops the stack down to the topmost entry of the name; the entries above it were never closed.
    void closeTopmost(std::uint32_t id)
    {
        while (m_open.back().nameId != id) {
            --m_facts[m_open.back().nameId].openCount;
            m_open.pop_back();
        }
        m_closed[m_open.back().start] = true;
        --m_facts[id].openCount;
        m_open.pop_back();
    }

    // Returns whether the name at an offset is the name of the tag on top.
    bool namesTop(std::size_t nameStart) const
    {
        const std::string_view topName = openName(m_open.back());
        return equalWithoutAsciiCase(m_text.substr(nameStart, topName.size()), topName)
            && !kNameBytes[at(nameStart + topName.size())];
    }

    std::string_view openName(const OpenTag& open) const
    {
        return m_text.substr(m_starts[open.start] + 1, m_names.upperName(open.nameId).size());
    }

    // The offset of the next end tag of the name from `from` on, or the
    // text's size: everything before it is text.
    std::size_t textEnd(std::size_t from, const std::string& upperName) const
    {
        return rawTextEnd(m_text, from, upperName);
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
        const bool counted = !isEmptyElement(upper) && !m_excluded.contains(upper);
        m_facts.push_back({counted, upper == "SCRIPT" || upper == "STYLE", 0});
    }

    std::string_view m_text;
    const ExcludedTags& m_excluded;
    std::vector<CountedTag>* m_counted;
    TagNames m_names;
    std::vector<NameFacts> m_facts; // by name id
    std::vector<OpenTag> m_open;
    FoundTags<std::size_t> m_starts;   // every counted start tag, in source order
    std::vector<bool> m_closed;        // by start tag
    FoundTags<StrayTag> m_stray;       // the end tags that closed nothing, in source order
};

} // namespace

std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded,
                                          std::vector<CountedTag>* counted)
{
    CollectedTags collected;
    TagBalance(text, excluded, counted).run(collected);
    return std::move(collected.tags);
}

std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded, TagRules rules,
                                          std::vector<CountedTag>* counted)
{
    if (rules == TagRules::Xml)
        return unbalancedTags(text, excluded, counted);
    CollectedTags collected;
    findHtmlUnbalancedTags(text, excluded, counted, collected);
    return std::move(collected.tags);
}

void findUnbalancedTags(std::string_view text, const ExcludedTags& excluded, TagRules rules, UnbalancedTagSink& sink)
{
    if (rules == TagRules::Html)
        findHtmlUnbalancedTags(text, excluded, nullptr, sink);
    else
        TagBalance(text, excluded, nullptr).run(sink);
}

TagRules rulesFor(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string_view rest = text.substr(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t\r\n\f")));
    if (rest.starts_with("<?xml"))
        return TagRules::Xml;
    const std::optional<std::string_view> doctype = leadingDoctype(text);
    return doctype && upperAscii(*doctype).find("XHTML") != std::string::npos ? TagRules::Xml : TagRules::Html;
}

std::size_t markupEnd(std::string_view text, std::size_t offset)
{
    const MarkupStart markup = markupAt(text, offset);
    if (markup.kind == Markup::Other)
        return markup.otherEnd;
    const std::size_t nameStart = offset + (markup.kind == Markup::StartTag ? 1 : 2);
    return tagEndFrom(text, tagNameEnd(text, nameStart)).next;
}

std::size_t tagNameEnd(std::string_view text, std::size_t start)
{
    return nameEndFrom(text, start);
}

} // namespace vorelind
