#pragma once

#include "document/excludedtags.h"
#include "document/tagnames.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace vorelind {

enum class TagSide { Start, End };

// A start tag that no end tag closes, or an end tag that closes nothing.
struct UnbalancedTag {
    TagSide side;
    std::size_t offset;    // of the tag's '<' in the text, from 0
    std::string_view name; // as written; points into the analysed text

    bool operator==(const UnbalancedTag&) const = default;
};

// Takes the unbalanced tags of a text one by one, in source order.
class UnbalancedTagSink {
public:
    virtual ~UnbalancedTagSink() = default;
    // Told once, before the first tag, how many will come; returns whether
    // they are to be handed over, which a sink that only counts declines.
    virtual bool expect(std::size_t /*count*/) { return true; }
    virtual void take(const UnbalancedTag& tag) = 0;
};

// A tag that took part in the pairing: its side and the offset of its '<'.
struct CountedTag {
    TagSide side;
    std::size_t offset;
};

// The rule set a tag balance follows: HTML's, under which many elements
// close implicitly and "/>" closes only void and foreign elements, or XML's
// strict pairing of every start tag with an end tag.
enum class TagRules { Html, Xml };

// The rules for a loaded text: XML's when it starts (after a byte order mark
// and blanks) with "<?xml" or its doctype names XHTML, HTML's otherwise.
TagRules rulesFor(std::string_view text);

// The start tags left open and the end tags that close nothing under a rule
// set, in source order, with the offsets as below. Excluded names are never
// reported. Given a list, it also appends every tag that took part.
std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded, TagRules rules,
                                          std::vector<CountedTag>* counted = nullptr);

// The same tags handed to a sink as the pairing ends, rather than kept in a
// list: a page of a hundred thousand findings then holds no copy of them.
void findUnbalancedTags(std::string_view text, const ExcludedTags& excluded, TagRules rules, UnbalancedTagSink& sink);

// The strict pairing: pairs the text's end tags with its start tags and returns, in source
// order, the start tags left open and the end tags that closed nothing.
// Comments, declarations, instructions, server code and the text of SCRIPT
// and STYLE hold no tags; self-closed tags, the empty elements and the
// excluded names take no part. Safe for Shift-JIS: the bytes it looks for
// are never second bytes. Given a list, it also appends every tag that took
// part, in source order.
std::vector<UnbalancedTag> unbalancedTags(std::string_view text, const ExcludedTags& excluded,
                                          std::vector<CountedTag>* counted = nullptr);

// The offset after the markup whose '<' is at an offset, as the pairing
// reads it: after a tag's '>', a comment's "-->", a declaration's '>', or
// just the '<' when it is text; the text's size when the text ends first.
std::size_t markupEnd(std::string_view text, std::size_t offset);

// The offset after the tag name that starts at an offset: the run of ASCII
// letters, digits, '-', '_', ':' and '.'.
std::size_t tagNameEnd(std::string_view text, std::size_t start);

} // namespace vorelind
