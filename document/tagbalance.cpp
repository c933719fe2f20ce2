#include "document/tagbalance.h"

#include "document/tagnames.h"
#include "util/sjis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace vorelind {

namespace {

constexpr std::array<std::string_view, 14> kEmptyElements = {
    "AREA", "BASE", "BR", "COL", "EMBED", "HR", "IMG", "INPUT", "LINK", "META", "PARAM", "SOURCE", "TRACK", "WBR",
};

constexpr bool isAsciiLetter(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

// Tables rather than comparisons: these tests run on every byte of every tag.
using ByteTable = std::array<bool, 256>;

// A tag name is the run of these bytes after its '<' or '</'.
constexpr ByteTable kNameBytes = [] {
    ByteTable table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = isAsciiLetter(byte) || (byte >= '0' && byte <= '9') || byte == '-' || byte == '_'
            || byte == ':' || byte == '.';
    return table;
}();

// Inside a tag only a quote, which opens a quoted run, and '>' matter.
constexpr ByteTable kTagStops = [] {
    ByteTable table{};
    table['"'] = table['\''] = table['>'] = true;
    return table;
}();

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

// A tag name read from the text.
struct NameSpan {
    std::size_t end;    // the offset after its last byte
    std::uint32_t hash; // as TagNames hashes it
};

// Where a tag's bytes end.
struct TagEnd {
    std::size_t next;  // the offset after its '>', or the text's size
    bool selfClosed;   // its '>' follows a '/'
};

// The offset after the next closer from `from` on; the text's size when there is none.
std::size_t after(std::string_view text, std::string_view closer, std::size_t from)
{
    const std::size_t found = text.find(closer, from);
    return found == std::string_view::npos ? text.size() : found + closer.size();
}

// A tag ends at the first '>' outside a quoted run, or at the end of the text.
TagEnd tagEndFrom(std::string_view text, std::size_t nameEnd)
{
    for (std::size_t j = nameEnd; j < text.size(); ++j) {
        if (!kTagStops[static_cast<unsigned char>(text[j])])
            continue;
        if (text[j] == '>')
            return {j + 1, text[j - 1] == '/'};
        // A quote opens a run that ends at the same quote.
        j = text.find(text[j], j + 1);
        if (j == std::string_view::npos)
            break;
    }
    return {text.size(), false};
}

// What a '<' opens, and for anything but a tag the offset after it.
enum class Markup { StartTag, EndTag, Other };

struct MarkupStart {
    Markup kind;
    std::size_t otherEnd;
};

MarkupStart markupAt(std::string_view text, std::size_t i)
{
    const auto at = [text](std::size_t offset) {
        return offset < text.size() ? static_cast<unsigned char>(text[offset]) : 0;
    };
    const unsigned char c1 = at(i + 1);
    if (isAsciiLetter(c1))
        return {Markup::StartTag, 0};
    if (c1 == '/')
        return isAsciiLetter(at(i + 2)) ? MarkupStart{Markup::EndTag, 0} : MarkupStart{Markup::Other, i + 1};
    if (c1 == '!' && at(i + 2) == '-' && at(i + 3) == '-')
        return {Markup::Other, after(text, "-->", i + 4)}; // a comment ends after the next "-->"
    if (c1 == '!' || c1 == '?')
        return {Markup::Other, after(text, ">", i + 2)}; // a declaration or instruction ends at the next '>'
    if (c1 == '%')
        return {Markup::Other, after(text, "%>", i + 2)}; // server code ends after the next "%>"
    return {Markup::Other, i + 1}; // any other '<' is text
}

// A counted tag while the pairing runs: its '<', its name's length (a name
// is part of a source, and sources are refused above 256 MiB), and for a
// start tag whether an end tag closed it.
struct FoundTag {
    std::size_t offset;
    std::uint32_t nameLength;
    bool closed;
};

// One run over one text.
class TagBalance {
public:
    TagBalance(std::string_view text, const ExcludedTags& excluded, std::vector<CountedTag>* counted)
        : m_text(text)
        , m_excluded(excluded)
        , m_counted(counted)
    {
        // Room for a start tag per 64 bytes spares most pages the copies of growing.
        m_starts.reserve(text.size() / 64);
    }

    std::vector<UnbalancedTag> run()
    {
        for (std::size_t i = m_text.find('<'); i != std::string_view::npos; i = m_text.find('<', i))
            i = afterMarkup(i);
        // The start tags and the stray end tags are both kept in source
        // order, so the unclosed ones merge with the strays without a sort:
        // a sort of what the stack leaves behind cost a quarter of the time
        // on pages of many unclosed tags.
        std::vector<UnbalancedTag> found;
        found.reserve(m_starts.size() - m_closedCount + m_stray.size());
        auto stray = m_stray.begin();
        for (const FoundTag& start : m_starts) {
            if (start.closed)
                continue;
            for (; stray != m_stray.end() && stray->offset < start.offset; ++stray)
                found.push_back(unbalanced(TagSide::End, *stray));
            found.push_back(unbalanced(TagSide::Start, start));
        }
        for (; stray != m_stray.end(); ++stray)
            found.push_back(unbalanced(TagSide::End, *stray));
        return found;
    }

private:
    unsigned char at(std::size_t offset) const
    {
        return offset < m_text.size() ? static_cast<unsigned char>(m_text[offset]) : 0;
    }

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
        const std::uint32_t id = nameId(name, span.hash);
        NameFacts& facts = m_facts[id];
        if (facts.counted) {
            m_open.push_back({static_cast<std::uint32_t>(m_starts.size()), id});
            m_starts.push_back({i, static_cast<std::uint32_t>(name.size()), false});
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
            FoundTag& start = m_starts[m_open.back().start];
            start.closed = true;
            ++m_closedCount;
            --m_facts[m_open.back().nameId].openCount;
            m_open.pop_back();
            return tagEndFrom(m_text, i + 2 + start.nameLength).next;
        }
        const NameSpan span = readName(i + 2);
        const std::string_view name = m_text.substr(i + 2, span.end - (i + 2));
        const std::uint32_t id = nameId(name, span.hash);
        if (m_facts[id].counted) {
            noteCounted(TagSide::End, i);
            if (m_facts[id].openCount == 0)
                m_stray.push_back({i, static_cast<std::uint32_t>(name.size()), false});
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
        m_starts[m_open.back().start].closed = true;
        ++m_closedCount;
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
        const FoundTag& start = m_starts[open.start];
        return m_text.substr(start.offset + 1, start.nameLength);
    }

    UnbalancedTag unbalanced(TagSide side, const FoundTag& tag) const
    {
        const std::size_t nameStart = tag.offset + (side == TagSide::Start ? 1 : 2);
        return {side, tag.offset, m_text.substr(nameStart, tag.nameLength)};
    }

    NameSpan readName(std::size_t start) const
    {
        NameSpan span{start, TagNames::kEmptyHash};
        for (; span.end < m_text.size() && kNameBytes[at(span.end)]; ++span.end)
            span.hash = TagNames::hashed(span.hash, m_text[span.end]);
        return span;
    }

    // The offset of the next end tag of the name from `from` on, or the
    // text's size: everything before it is text.
    std::size_t textEnd(std::size_t from, const std::string& upperName) const
    {
        for (std::size_t j = m_text.find("</", from); j != std::string_view::npos; j = m_text.find("</", j + 2)) {
            const std::size_t nameEnd = readName(j + 2).end;
            if (upperAscii(m_text.substr(j + 2, nameEnd - (j + 2))) == upperName)
                return j;
        }
        return m_text.size();
    }

    // The id of the name, its facts made on first sight.
    std::uint32_t nameId(std::string_view name, std::uint32_t hash)
    {
        const std::uint32_t id = m_names.idOf(name, hash);
        if (id == m_facts.size()) {
            const std::string& upper = m_names.upperName(id);
            const bool counted = !isEmptyElement(upper) && !m_excluded.contains(upper);
            m_facts.push_back({counted, upper == "SCRIPT" || upper == "STYLE", 0});
        }
        return id;
    }

    std::string_view m_text;
    const ExcludedTags& m_excluded;
    std::vector<CountedTag>* m_counted;
    TagNames m_names;
    std::vector<NameFacts> m_facts; // by name id
    std::vector<OpenTag> m_open;
    std::vector<FoundTag> m_starts; // every counted start tag, in source order
    std::size_t m_closedCount = 0;
    std::vector<FoundTag> m_stray;  // in source order
};

} // namespace

std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded,
                                          std::vector<CountedTag>* counted)
{
    return TagBalance(text, excluded, counted).run();
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
    while (start < text.size() && kNameBytes[static_cast<unsigned char>(text[start])])
        ++start;
    return start;
}

bool isEmptyElement(std::string_view upperName)
{
    return std::find(kEmptyElements.begin(), kEmptyElements.end(), upperName) != kEmptyElements.end();
}

} // namespace vorelind
