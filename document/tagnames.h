#pragma once

#include "util/sjis.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The distinct tag names met in a text, each under an id counted from 0 in
// the order of first sight; names equal but for ASCII case share an id.
// Looked up once per tag, so it hashes into one flat table of its own: a
// standard map spent half of the tag balance's time here.
class TagNames {
public:
    TagNames();

    // A name's hash, built byte by byte from kEmptyHash as the name is read,
    // so that it costs no second pass: FNV-1a over the upper-cased bytes.
    static constexpr std::uint32_t kEmptyHash = 2166136261u;
    static constexpr std::uint32_t hashed(std::uint32_t hash, char byte)
    {
        return (hash ^ static_cast<unsigned char>(upperAsciiByte(byte))) * 16777619u;
    }

    // The id of a name with its hash; a name not met before gets the next one.
    std::uint32_t idOf(std::string_view name, std::uint32_t hash);

    // The name of an id, upper-cased.
    const std::string& upperName(std::uint32_t id) const { return m_upperNames[id]; }

    std::size_t size() const { return m_upperNames.size(); }

private:
    struct Slot {
        std::uint32_t idPlusOne = 0; // 0 for an empty slot
        std::uint32_t hash = 0;
    };

    std::uint32_t add(std::string_view name, std::uint32_t hash, std::size_t slot);
    void grow();

    std::vector<Slot> m_slots; // open addressing; a power of two, at most half full
    std::vector<std::string> m_upperNames;
    std::vector<std::uint32_t> m_hashes;
};

// What the HTML parsing rules know about an element name, as bits; names
// the rules do not know have none.
enum HtmlKind : std::uint32_t {
    kVoid = 1u << 0,            // has no content and no end tag
    kRawText = 1u << 1,         // its content is text up to its own end tag
    kSpecial = 1u << 2,         // stops the search for an end tag's element
    kFormatting = 1u << 3,      // reopens after an element that closed it
    kOptionalEnd = 1u << 4,     // may be left open: never reported as unclosed
    kClosesP = 1u << 5,         // its start tag closes an open P
    kHeading = 1u << 6,         // H1 to H6
    kScopeBoundary = 1u << 7,   // bounds the default scope
    kTableBoundary = 1u << 8,   // bounds the table scope
    kTablePart = 1u << 9,       // its end tag looks in the table scope
    kTableSection = 1u << 10,   // THEAD, TBODY, TFOOT
    kCell = 1u << 11,           // TD, TH
    kImpliedEnd = 1u << 12,     // closed by the implied end tags
    kDocumentFrame = 1u << 13,  // HTML, HEAD, BODY: never pushed, never reported
    kForeignRoot = 1u << 14,    // SVG, MATH: their content follows XML's self-closing
    kIntegrationPoint = 1u << 15, // inside foreign content, holds HTML again
    kListItemLike = 1u << 16,   // LI, DD, DT: close their kind up to a special element
    kRuby = 1u << 17,           // RB, RT, RTC, RP
    kReopensOnRepeat = 1u << 18, // A, NOBR: a second start tag closes the first
};

// The HTML kinds of an upper-cased name.
std::uint32_t htmlKindsOf(std::string_view upperName);

// Whether an upper-cased name is one of the empty elements, which take no part in the strict pairing.
bool isEmptyElement(std::string_view upperName);

// Whether an upper-cased name opens a block whose own line breaks the
// listing keeps, and in which tags start no lines: SCRIPT and PRE.
bool isRawBlockName(std::string_view upperName);

} // namespace vorelind
