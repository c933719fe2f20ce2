#pragma once

#include "util/sjis.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// The distinct tag names met in a text, each under an id counted from 0 in
// the order of first sight; names equal but for ASCII case share an id.
// Looked up once per tag, so it hashes into one flat table of its own: a
// standard map spent half of the tag balance's time here. Nearly every tag
// name has at most eight bytes; such a name is looked up by its key, one
// number compared, and only a longer one by its bytes.
class TagNames {
public:
    TagNames();

    // A name's key, built byte by byte from kEmptyKey as the name is read,
    // so that it costs no second pass: its upper-cased bytes packed into a
    // number, the first lowest, while it has at most kKeyedLength bytes.
    static constexpr std::uint64_t kEmptyKey = 0;
    static constexpr std::size_t kKeyedLength = 8;
    static constexpr std::uint64_t keyed(std::uint64_t key, std::size_t index, char byte)
    {
        return index < kKeyedLength
            ? key | std::uint64_t{static_cast<unsigned char>(upperAsciiByte(byte))} << (8 * index)
            : key;
    }
    // The key of a whole name; kEmptyKey for a longer one, or an empty one.
    static constexpr std::uint64_t keyOf(std::string_view name)
    {
        std::uint64_t key = kEmptyKey;
        for (std::size_t index = 0; index < name.size(); ++index)
            key = keyed(key, index, name[index]);
        return name.size() <= kKeyedLength ? key : kEmptyKey;
    }

    // The id of a name with its key (from keyOf); a name not met before gets
    // the next one. A keyed name found at its first slot, nearly every tag's,
    // is found inline.
    std::uint32_t idOf(std::string_view name, std::uint64_t key)
    {
        const Slot& first = m_slots[hashOf(name, key) & (m_slots.size() - 1)];
        if (key != kEmptyKey && first.key == key)
            return first.idPlusOne - 1;
        return probedIdOf(name, key);
    }

    // The name of an id, upper-cased.
    const std::string& upperName(std::uint32_t id) const { return m_upperNames[id]; }

    std::size_t size() const { return m_upperNames.size(); }

private:
    struct Slot {
        std::uint64_t key = kEmptyKey; // kEmptyKey for a name looked up by its bytes
        std::uint32_t hash = 0;
        std::uint32_t idPlusOne = 0;   // 0 for an empty slot
    };

    static std::uint32_t hashOf(std::string_view name, std::uint64_t key)
    {
        return key != kEmptyKey ? static_cast<std::uint32_t>((key * 0x9E3779B97F4A7C15u) >> 32) : bytesHashOf(name);
    }
    static std::uint32_t bytesHashOf(std::string_view name);
    std::uint32_t probedIdOf(std::string_view name, std::uint64_t key);
    std::uint32_t add(std::string_view name, std::uint64_t key, std::uint32_t hash, std::size_t slot);
    void grow();

    std::vector<Slot> m_slots; // open addressing; a power of two, at most half full
    std::vector<std::string> m_upperNames;
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
    kRubyPart = 1u << 17,       // RB, RT, RTC, RP
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
