#pragma once

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

// A tag name read from the text.
struct NameSpan {
    std::size_t end;    // the offset after its last byte
    std::uint32_t hash; // as TagNames hashes it
};

// Reads the tag name that starts at an offset.
NameSpan readName(std::string_view text, std::size_t start);

// Where a tag's bytes end.
struct TagEnd {
    std::size_t next; // the offset after its '>', or the text's size
    bool selfClosed;  // its '>' follows a '/'
};

// The strict reading: a tag ends at the first '>' outside a quoted run,
// wherever a quote stands.
TagEnd tagEndFrom(std::string_view text, std::size_t nameEnd);

// HTML's reading: quotes open a run only as an attribute's value, an
// unquoted value runs to a blank or '>', so a '/' that ends it closes
// nothing.
TagEnd htmlTagEndFrom(std::string_view text, std::size_t nameEnd);

// What a '<' opens, and for anything but a tag the offset after it.
enum class Markup { StartTag, EndTag, Other };

struct MarkupStart {
    Markup kind;
    std::size_t otherEnd;
};

MarkupStart markupAt(std::string_view text, std::size_t offset);

// The offset of the next end tag of an upper-cased name from an offset on,
// or the text's size: everything before it is text.
std::size_t rawTextEnd(std::string_view text, std::size_t from, std::string_view upperName);

// The text of the doctype declaration before the first tag (between
// "<!DOCTYPE" and its '>'), when there is one; only a byte order mark,
// blanks, comments and instructions may come before it.
std::optional<std::string_view> leadingDoctype(std::string_view text);

} // namespace vorelind
