#pragma once

#include "document/excludedtags.h"
#include "document/tagbalance.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vorelind {

// The tag balance under HTML's parsing rules, as far as they decide which
// elements are open: start tags close elements implicitly, elements whose
// end tag may be left out are never unclosed, an end tag closes what lies
// between it and its element or, when a boundary stands between, nothing.
// Reads the text by HTML's tokenizer rules: raw text elements hold text,
// "/>" closes only inside SVG and MathML. One walk over an explicit stack;
// every entry is pushed and popped once, so the work stays linear whatever
// the nesting. Hands the findings to the sink in source order.
void findHtmlUnbalancedTags(std::string_view text, const ExcludedTags& excluded, std::vector<CountedTag>* counted,
                            UnbalancedTagSink& sink);

// Whether a page whose leading doctype is as given (none when absent) is
// read in quirks mode, in which a TABLE start tag leaves an open P open.
bool isQuirksDoctype(const std::optional<std::string_view>& doctype);

} // namespace vorelind
