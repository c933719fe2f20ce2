#pragma once

#include <cstddef>
#include <cstdint>
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

// The balance of one tag name over the whole listing.
struct TagSummary {
    std::string tag;
    std::size_t starts = 0;
    std::size_t ends = 0;
    std::size_t selfClosed = 0;
    std::size_t unmatched = 0;
    std::vector<std::uint32_t> lines;          // 0-based, every line with the tag
    std::vector<std::uint32_t> unmatchedLines; // 0-based, the lines marked unclosed or stray
};

// The most lines an analysis holds, as many as the window's table can count;
// no listing of the main program comes near.
inline constexpr std::size_t kMaxAnalysedLines = 2147483647;

// The analysis of a listing, held over the listing's bytes: for each line only
// where it starts and one word of marks. The texts and the tag names are read
// from the bytes when asked for, so a listing of any size costs its bytes and
// a dozen bytes a line.
class LineAnalysis {
public:
    std::size_t lineCount() const { return m_lineStarts.size() - 1; }
    // The line's leading blanks / 2.
    std::size_t level(std::size_t row) const { return blanks(row) / 2; }
    LineKind kind(std::size_t row) const { return static_cast<LineKind>(m_marks[row].kind); }
    Balance balance(std::size_t row) const { return static_cast<Balance>(m_marks[row].balance); }
    // The upper-cased name of the tag that names the line; empty for text and declarations.
    std::string tag(std::size_t row) const;
    // The line without its leading blanks.
    std::string_view text(std::size_t row) const { return line(row).substr(blanks(row)); }

    const std::vector<TagSummary>& tags() const { return m_tags; } // sorted by name
    std::size_t unclosed() const { return m_unclosed; }
    std::size_t stray() const { return m_stray; }

private:
    friend class ListingAnalyser;

    // A line's blanks, up to a count that says "count them in the bytes", its
    // kind and balance, and what the analysis learnt of it on the way.
    struct LineMarks {
        std::uint32_t blanks : 23 = 0;
        std::uint32_t kind : 3 = static_cast<std::uint32_t>(LineKind::Text);
        std::uint32_t balance : 3 = static_cast<std::uint32_t>(Balance::None);
        std::uint32_t inRawBlock : 1 = 0;   // a line of a SCRIPT or PRE block after its first
        std::uint32_t depthNeutral : 1 = 0; // a start tag after which the next line is no deeper
        std::uint32_t leadsCounted : 1 = 0; // a tag that takes part in the balance leads the line
    };
    static constexpr std::size_t kMaxMarkedBlanks = (std::size_t(1) << 23) - 1;

    // The whole line, leading blanks included.
    std::string_view line(std::size_t row) const;
    std::size_t blanks(std::size_t row) const;

    std::string m_listing;
    // Where each line starts, and after the last one where the line after it would.
    std::vector<std::size_t> m_lineStarts{0};
    std::vector<LineMarks> m_marks;
    std::vector<TagSummary> m_tags;
    std::size_t m_unclosed = 0;
    std::size_t m_stray = 0;
};

// Analyses an indented listing (lines ended by CR LF) with the program's one
// tag balance, so that its findings are the window's. The walk drops the '/'
// of "/>" and lets excluded tags leave the depth alone, so the listing shows
// both as start tags after which the next line is no deeper: a name whose
// every start tag does so counts as excluded, any other such start tag as
// self-closed. The last line has no next line, so a start tag there counts
// unless its name was excluded. A listing of more than kMaxAnalysedLines
// lines raises std::length_error; running out of memory, std::bad_alloc.
LineAnalysis analyseListing(std::string listing);

// Whether a line or tag marked so lacks its partner.
bool isUnmatched(Balance balance);

// The words the table and the report use for kinds and balances.
std::string_view kindName(LineKind kind);
std::string_view balanceName(Balance balance);

} // namespace vorelind
