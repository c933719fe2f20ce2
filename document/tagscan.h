#pragma once

#include "document/tagnames.h"
#include "util/bytescan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorelind {

// The byte rules both tag balances read a text by. Safe for Shift-JIS:
// every byte they stop at is below 0x40, which is never a second byte.

// A table of bytes: these tests run on every byte of every tag.
using ByteTable = std::array<bool, 256>;

constexpr bool isAsciiLetter(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

// A tag name is the run of these bytes after its '<' or '</'.
inline constexpr ByteTable kNameBytes = [] {
    ByteTable table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = isAsciiLetter(byte) || (byte >= '0' && byte <= '9') || byte == '-' || byte == '_'
            || byte == ':' || byte == '.';
    return table;
}();

// The bytes of tag names upper-cased, as TagNames keys them, and 0 for
// every other byte: one look-up both tests a byte and keys it.
inline constexpr std::array<unsigned char, 256> kUpperNameBytes = [] {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = kNameBytes[byte] ? static_cast<unsigned char>(upperAsciiByte(static_cast<char>(byte))) : 0;
    return table;
}();

// The byte at an offset, or 0 past the text's end.
inline unsigned char byteAt(std::string_view text, std::size_t offset)
{
    return offset < text.size() ? static_cast<unsigned char>(text[offset]) : 0;
}

// The offset of the next '<' from an offset on, or the text's size. Text
// runs for dozens of bytes between tags, so sixteen are tested at a time.
inline std::size_t nextMarkup(std::string_view text, std::size_t from)
{
    // Tags often follow one another right away.
    if (from < text.size() && text[from] == '<')
        return from;
    return findByte(text, from, '<');
}

// A tag name read from the text.
struct NameSpan {
    std::size_t end;    // the offset after its last byte
    std::uint64_t key;  // as TagNames keys it
};

// Reads the tag name that starts at an offset. Inline, as the tests below
// that run at every tag: a call apiece cost a tenth of the balance's time.
inline NameSpan readName(std::string_view text, std::size_t start)
{
    NameSpan span{start, TagNames::kEmptyKey};
    for (; span.end < text.size(); ++span.end) {
        const unsigned char upper = kUpperNameBytes[static_cast<unsigned char>(text[span.end])];
        if (upper == 0)
            break;
        if (span.end - start < TagNames::kKeyedLength)
            span.key |= std::uint64_t{upper} << (8 * (span.end - start));
    }
    if (span.end - start > TagNames::kKeyedLength)
        span.key = TagNames::kEmptyKey;
    return span;
}

// The offset after the tag name that starts at an offset, where its key is
// not needed.
inline std::size_t nameEndFrom(std::string_view text, std::size_t start)
{
    while (start < text.size() && kNameBytes[static_cast<unsigned char>(text[start])])
        ++start;
    return start;
}

// Where a tag's bytes end.
struct TagEnd {
    std::size_t next; // the offset after its '>', or the text's size
    bool selfClosed;  // its '>' follows a '/'
};

// Whether the tag ends at a '>' right after its name, as most do: that
// needs no reading of attributes.
inline bool endsRightAfterName(std::string_view text, std::size_t nameEnd)
{
    return byteAt(text, nameEnd) == '>' && nameEnd > 0 && text[nameEnd - 1] != '/';
}

// The strict reading: a tag ends at the first '>' outside a quoted run,
// wherever a quote stands.
TagEnd tagEndAfterAttributes(std::string_view text, std::size_t nameEnd);

inline TagEnd tagEndFrom(std::string_view text, std::size_t nameEnd)
{
    return endsRightAfterName(text, nameEnd) ? TagEnd{nameEnd + 1, false} : tagEndAfterAttributes(text, nameEnd);
}

// HTML's reading: quotes open a run only as an attribute's value, an
// unquoted value runs to a blank or '>', so a '/' that ends it closes
// nothing.
TagEnd htmlTagEndAfterAttributes(std::string_view text, std::size_t nameEnd);

inline TagEnd htmlTagEndFrom(std::string_view text, std::size_t nameEnd)
{
    return endsRightAfterName(text, nameEnd) ? TagEnd{nameEnd + 1, false}
                                             : htmlTagEndAfterAttributes(text, nameEnd);
}

// What a '<' opens, and for anything but a tag the offset after it.
enum class Markup { StartTag, EndTag, Other };

struct MarkupStart {
    Markup kind;
    std::size_t otherEnd;
};

// The whole reading, which markupAt leaves to it past the tests for tags.
MarkupStart otherMarkupAt(std::string_view text, std::size_t offset);

// The tests for tags come first, inline: they run at every '<'.
inline MarkupStart markupAt(std::string_view text, std::size_t offset)
{
    const unsigned char next = byteAt(text, offset + 1);
    if (isAsciiLetter(next))
        return {Markup::StartTag, 0};
    if (next == '/' && isAsciiLetter(byteAt(text, offset + 2)))
        return {Markup::EndTag, 0};
    return otherMarkupAt(text, offset);
}

// The offset of the next end tag of an upper-cased name from an offset on,
// or the text's size: everything before it is text.
std::size_t rawTextEnd(std::string_view text, std::size_t from, std::string_view upperName);

// The text of the doctype declaration before the first tag (between
// "<!DOCTYPE" and its '>'), when there is one; only a byte order mark,
// blanks, comments and instructions may come before it.
std::optional<std::string_view> leadingDoctype(std::string_view text);

} // namespace vorelind
