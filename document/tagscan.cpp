#include "document/tagscan.h"

#include "document/tagnames.h"
#include "util/sjis.h"

namespace vorelind {

namespace {

// Inside a strict tag only a quote, which opens a quoted run, and '>' matter.
constexpr ByteTable kTagStops = [] {
    ByteTable table{};
    table['"'] = table['\''] = table['>'] = true;
    return table;
}();

// The blanks that part HTML attributes.
constexpr ByteTable kBlanks = [] {
    ByteTable table{};
    table[' '] = table['\t'] = table['\n'] = table['\r'] = table['\f'] = true;
    return table;
}();

// An HTML attribute name ends at a blank, '/', '>' or '='.
constexpr ByteTable kAttributeNameStops = [] {
    ByteTable table = kBlanks;
    table['/'] = table['>'] = table['='] = true;
    return table;
}();

// An unquoted value ends at a blank or '>'.
constexpr ByteTable kUnquotedValueStops = [] {
    ByteTable table = kBlanks;
    table['>'] = true;
    return table;
}();

// The offset after the next closer from `from` on; the text's size when there is none.
std::size_t after(std::string_view text, std::string_view closer, std::size_t from)
{
    const std::size_t found = text.find(closer, from);
    return found == std::string_view::npos ? text.size() : found + closer.size();
}

std::size_t skipping(const ByteTable& bytes, std::string_view text, std::size_t from)
{
    while (from < text.size() && bytes[static_cast<unsigned char>(text[from])])
        ++from;
    return from;
}

std::size_t upTo(const ByteTable& stops, std::string_view text, std::size_t from)
{
    while (from < text.size() && !stops[static_cast<unsigned char>(text[from])])
        ++from;
    return from;
}

bool startsWithoutAsciiCase(std::string_view text, std::size_t offset, std::string_view prefix)
{
    return equalWithoutAsciiCase(text.substr(offset, prefix.size()), prefix);
}

} // namespace

TagEnd tagEndAfterAttributes(std::string_view text, std::size_t nameEnd)
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

namespace {

// HTML's reading of a tag that ends in "/>": whether that '/' self-closes,
// which it does unless it ends an unquoted value, read attribute by attribute.
TagEnd slashedTagEnd(std::string_view text, std::size_t nameEnd)
{
    std::size_t j = nameEnd;
    while (true) {
        j = skipping(kBlanks, text, j);
        if (j >= text.size())
            return {text.size(), false};
        if (text[j] == '>')
            return {j + 1, false};
        if (text[j] == '/') {
            // Only "/>" self-closes; a '/' elsewhere between attributes is dropped.
            if (byteAt(text, j + 1) == '>')
                return {j + 2, true};
            ++j;
            continue;
        }
        // An attribute name; its first byte may be '='.
        j = upTo(kAttributeNameStops, text, j + 1);
        j = skipping(kBlanks, text, j);
        if (byteAt(text, j) != '=')
            continue;
        j = skipping(kBlanks, text, j + 1);
        const unsigned char first = byteAt(text, j);
        if (first == '"' || first == '\'') {
            const std::size_t close = text.find(static_cast<char>(first), j + 1);
            if (close == std::string_view::npos)
                return {text.size(), false};
            j = close + 1;
        } else {
            j = upTo(kUnquotedValueStops, text, j);
        }
    }
}

// Whether the quote at an offset opens an attribute's value: it follows '=' and blanks.
bool opensValue(std::string_view text, std::size_t quote, std::size_t nameEnd)
{
    std::size_t k = quote;
    while (k > nameEnd && kBlanks[static_cast<unsigned char>(text[k - 1])])
        --k;
    return k > nameEnd && text[k - 1] == '=';
}

} // namespace

TagEnd htmlTagEndAfterAttributes(std::string_view text, std::size_t nameEnd)
{
    for (std::size_t j = nameEnd; j < text.size(); ++j) {
        if (!kTagStops[static_cast<unsigned char>(text[j])])
            continue;
        if (text[j] == '>')
            return text[j - 1] == '/' ? slashedTagEnd(text, nameEnd) : TagEnd{j + 1, false};
        if (!opensValue(text, j, nameEnd))
            continue; // a quote inside a name or an unquoted value is a byte like any other
        j = text.find(text[j], j + 1);
        if (j == std::string_view::npos)
            break;
    }
    return {text.size(), false};
}

MarkupStart otherMarkupAt(std::string_view text, std::size_t i)
{
    const unsigned char c1 = byteAt(text, i + 1);
    if (isAsciiLetter(c1))
        return {Markup::StartTag, 0};
    if (c1 == '/')
        return isAsciiLetter(byteAt(text, i + 2)) ? MarkupStart{Markup::EndTag, 0} : MarkupStart{Markup::Other, i + 1};
    if (c1 == '!' && byteAt(text, i + 2) == '-' && byteAt(text, i + 3) == '-')
        return {Markup::Other, after(text, "-->", i + 4)}; // a comment ends after the next "-->"
    if (c1 == '!' || c1 == '?')
        return {Markup::Other, after(text, ">", i + 2)}; // a declaration or instruction ends at the next '>'
    if (c1 == '%')
        return {Markup::Other, after(text, "%>", i + 2)}; // server code ends after the next "%>"
    return {Markup::Other, i + 1}; // any other '<' is text
}

std::size_t rawTextEnd(std::string_view text, std::size_t from, std::string_view upperName)
{
    for (std::size_t j = text.find("</", from); j != std::string_view::npos; j = text.find("</", j + 2)) {
        const std::size_t nameEnd = readName(text, j + 2).end;
        if (equalWithoutAsciiCase(text.substr(j + 2, nameEnd - (j + 2)), upperName))
            return j;
    }
    return text.size();
}

std::optional<std::string_view> leadingDoctype(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::size_t i = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (true) {
        i = skipping(kBlanks, text, i);
        if (byteAt(text, i) != '<')
            return std::nullopt;
        constexpr std::string_view kDoctype = "<!DOCTYPE";
        if (startsWithoutAsciiCase(text, i, kDoctype)) {
            const std::size_t start = i + kDoctype.size();
            return text.substr(start, text.find('>', start) - start); // to the end when there is no '>'

        }
        const MarkupStart markup = markupAt(text, i);
        if (markup.kind != Markup::Other || markup.otherEnd == i + 1)
            return std::nullopt;
        i = markup.otherEnd;
    }
}

} // namespace vorelind
