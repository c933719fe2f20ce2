#include "document/tagnames.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace vorelind {

namespace {

constexpr std::size_t kFirstTableSize = 256;

constexpr std::array<std::string_view, 14> kEmptyElements = {
    "AREA", "BASE", "BR", "COL", "EMBED", "HR", "IMG", "INPUT", "LINK", "META", "PARAM", "SOURCE", "TRACK", "WBR",
};

// One kind and the names that have it.
struct KindNames {
    HtmlKind kind;
    std::initializer_list<std::string_view> names;
};

// The HTML parsing rules as data: which names have which kind. The empty
// elements above are void too.
const std::array<KindNames, 19> kHtmlKinds = {{
    {kVoid, {"BASEFONT", "BGSOUND", "FRAME", "KEYGEN"}},
    {kRawText, {"SCRIPT", "STYLE", "XMP", "IFRAME", "NOEMBED", "NOFRAMES", "TEXTAREA", "TITLE"}},
    {kSpecial, {"ADDRESS", "APPLET", "AREA", "ARTICLE", "ASIDE", "BASE", "BASEFONT", "BGSOUND", "BLOCKQUOTE",
                "BODY", "BR", "BUTTON", "CAPTION", "CENTER", "COL", "COLGROUP", "DD", "DETAILS", "DIR", "DIV", "DL",
                "DT", "EMBED", "FIELDSET", "FIGCAPTION", "FIGURE", "FOOTER", "FORM", "FRAME", "FRAMESET", "H1", "H2",
                "H3", "H4", "H5", "H6", "HEAD", "HEADER", "HGROUP", "HR", "HTML", "IFRAME", "IMG", "INPUT", "KEYGEN",
                "LI", "LINK", "LISTING", "MAIN", "MARQUEE", "MENU", "META", "NAV", "NOEMBED", "NOFRAMES", "NOSCRIPT",
                "OBJECT", "OL", "P", "PARAM", "PLAINTEXT", "PRE", "SCRIPT", "SEARCH", "SECTION", "SELECT", "SOURCE",
                "STYLE", "SUMMARY", "TABLE", "TBODY", "TD", "TEMPLATE", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE",
                "TR", "TRACK", "UL", "WBR", "XMP"}},
    {kFormatting, {"A", "B", "BIG", "CODE", "EM", "FONT", "I", "NOBR", "S", "SMALL", "STRIKE", "STRONG", "TT", "U"}},
    {kOptionalEnd, {"LI", "DT", "DD", "P", "OPTION", "OPTGROUP", "RB", "RT", "RTC", "RP", "TR", "TD", "TH", "THEAD",
                    "TBODY", "TFOOT", "COLGROUP", "CAPTION", "HTML", "HEAD", "BODY"}},
    {kClosesP, {"ADDRESS", "ARTICLE", "ASIDE", "BLOCKQUOTE", "CENTER", "DETAILS", "DIALOG", "DIR", "DIV", "DL",
                "FIELDSET", "FIGCAPTION", "FIGURE", "FOOTER", "FORM", "H1", "H2", "H3", "H4", "H5", "H6", "HEADER",
                "HGROUP", "HR", "LISTING", "MAIN", "MENU", "NAV", "OL", "P", "PLAINTEXT", "PRE", "SEARCH", "SECTION",
                "SUMMARY", "TABLE", "UL", "XMP"}},
    {kHeading, {"H1", "H2", "H3", "H4", "H5", "H6"}},
    {kScopeBoundary, {"APPLET", "CAPTION", "HTML", "TABLE", "TD", "TH", "MARQUEE", "OBJECT", "TEMPLATE"}},
    {kTableBoundary, {"HTML", "TABLE", "TEMPLATE"}},
    {kTablePart, {"TABLE", "THEAD", "TBODY", "TFOOT", "TR", "TD", "TH", "CAPTION", "COLGROUP"}},
    {kTableSection, {"THEAD", "TBODY", "TFOOT"}},
    {kCell, {"TD", "TH"}},
    {kImpliedEnd, {"DD", "DT", "LI", "OPTGROUP", "OPTION", "P", "RB", "RP", "RT", "RTC"}},
    {kDocumentFrame, {"HTML", "HEAD", "BODY"}},
    {kForeignRoot, {"SVG", "MATH"}},
    {kIntegrationPoint, {"FOREIGNOBJECT", "DESC", "MI", "MO", "MN", "MS", "MTEXT", "ANNOTATION-XML"}},
    {kListItemLike, {"LI", "DD", "DT"}},
    {kRubyPart, {"RB", "RT", "RTC", "RP"}},
    {kReopensOnRepeat, {"A", "NOBR"}},
}};

} // namespace

TagNames::TagNames()
    : m_slots(kFirstTableSize)
{
}

std::uint32_t TagNames::bytesHashOf(std::string_view name)
{
    // FNV-1a over the upper-cased bytes.
    std::uint32_t hash = 2166136261u;
    for (char byte : name)
        hash = (hash ^ static_cast<unsigned char>(upperAsciiByte(byte))) * 16777619u;
    return hash;
}

std::uint32_t TagNames::probedIdOf(std::string_view name, std::uint64_t key)
{
    const std::uint32_t hash = hashOf(name, key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = m_slots[slot];
        if (entry.idPlusOne == 0)
            return add(name, key, hash, slot);
        if (entry.key != key)
            continue;
        const std::uint32_t id = entry.idPlusOne - 1;
        if (key != kEmptyKey || (entry.hash == hash && equalWithoutAsciiCase(m_upperNames[id], name)))
            return id;
    }
}

std::uint32_t TagNames::add(std::string_view name, std::uint64_t key, std::uint32_t hash, std::size_t slot)
{
    const auto id = static_cast<std::uint32_t>(m_upperNames.size());
    m_upperNames.push_back(upperAscii(name));
    m_slots[slot] = {key, hash, id + 1};
    if (2 * m_upperNames.size() > m_slots.size())
        grow();
    return id;
}

void TagNames::grow()
{
    std::vector<Slot> old(2 * m_slots.size());
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& entry : old) {
        if (entry.idPlusOne == 0)
            continue;
        std::size_t slot = entry.hash & mask;
        while (m_slots[slot].idPlusOne != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

std::uint32_t htmlKindsOf(std::string_view upperName)
{
    std::uint32_t kinds = isEmptyElement(upperName) ? static_cast<std::uint32_t>(kVoid) : 0u;
    for (const KindNames& entry : kHtmlKinds) {
        if (std::find(entry.names.begin(), entry.names.end(), upperName) != entry.names.end())
            kinds |= entry.kind;
    }
    return kinds;
}

bool isEmptyElement(std::string_view upperName)
{
    return std::find(kEmptyElements.begin(), kEmptyElements.end(), upperName) != kEmptyElements.end();
}

bool isRawBlockName(std::string_view upperName)
{
    return upperName == "SCRIPT" || upperName == "PRE";
}

} // namespace vorelind
