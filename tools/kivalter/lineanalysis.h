#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// What a listing line holds.
enum class LineKind {
    Start,       // a start tag that raises the nesting
    End,         // an end tag
    SelfClosed,  // a start tag that leaves the nesting alone and has no end tag
    Declaration, // a comment, declaration, processing instruction or server block
    Text,        // text, or a tag that takes no part: a block's lines, a comment's
};

// How a line's tags balance; a line with several tags shows the worst.
enum class Balance {
    None,     // no tag takes part in the balance
    Matched,  // every start and end on the line has its partner
    Void,     // an HTML empty element, which needs no end tag
    Unclosed, // a start tag without its end tag
    Stray,    // an end tag without its start tag
};

struct AnalysedLine {
    std::size_t level = 0; // leading blanks / 2
    LineKind kind = LineKind::Text;
    std::string tag;       // upper-cased name; empty for text
    std::string text;      // the line without its leading blanks
    Balance balance = Balance::None;
};

// The balance of one tag name over the whole listing.
struct TagSummary {
    std::string tag;
    std::size_t starts = 0;
    std::size_t ends = 0;
    std::size_t selfClosed = 0;
    std::size_t unmatched = 0;
    std::vector<std::size_t> lines;          // 0-based, every line with the tag
    std::vector<std::size_t> unmatchedLines; // 0-based, the lines marked unclosed or stray
};

struct LineAnalysis {
    std::vector<AnalysedLine> lines;
    std::vector<TagSummary> tags; // sorted by name
    std::size_t unclosed = 0;
    std::size_t stray = 0;
};

// Analyses an indented listing (lines ended by CR LF) with the program's one
// tag balance, so that its findings are the window's. The walk drops the '/'
// of "/>" and lets excluded tags leave the depth alone, so the listing shows
// both as start tags after which the next line is no deeper: a name whose
// every start tag does so counts as excluded, any other such start tag as
// self-closed. The last line has no next line, so a start tag there counts
// unless its name was excluded.
LineAnalysis analyseListing(std::string_view listing);

// Whether a line or tag marked so lacks its partner.
bool isUnmatched(Balance balance);

// The words the table and the report use for kinds and balances.
std::string_view kindName(LineKind kind);
std::string_view balanceName(Balance balance);

} // namespace vorelind
