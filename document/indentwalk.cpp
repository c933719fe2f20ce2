#include "document/indentwalk.h"

#include "document/sizelimits.h"
#include "document/tagnames.h"
#include "util/apperror.h"
#include "util/bytescan.h"
#include "util/leadingblanks.h"

#include <algorithm>
#include <vector>

namespace vorelind {

namespace {

constexpr std::size_t kNameScanLimit = 257; // offsets; so a start tag's name holds 256 bytes
constexpr long long kBlanksPerLevel = 2;
constexpr std::size_t kChunkSize = 256 * 1024;
// Progress and status are told every so many positions, more often than any
// display can show them and seldom enough to cost nothing.
constexpr std::size_t kPositionsPerProgressReport = 4096;

// CR and LF end a name as TAB and blank do, so that "<script" CR LF
// "type=...>" still opens a script block.
bool isNameStop(unsigned char byte)
{
    return byte == '/' || byte == '>' || byte == '\t' || byte == ' ' || byte == '\r' || byte == '\n';
}

// Bytes that end a tag name after being taken into it: '!' and '?' always,
// '%' only in a start tag.
bool isStopAfter(unsigned char byte, bool endTag)
{
    return byte == '!' || byte == '?' || (byte == '%' && !endTag);
}

// Declarations, comments, processing instructions and server blocks.
bool isMarkupDeclarationName(const std::string& name)
{
    return name.size() == 1 && (name[0] == '!' || name[0] == '?' || name[0] == '%');
}

// Collects the listing in one string.
class StringListingSink : public ListingSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// One run over one source; positions are 1-based as in the run log. The
// listing is gathered in a small chunk and handed on whenever the chunk is
// full, so that no whole listing is ever held here. The walk for a sink
// that takes the lines' starts is compiled apart, so that the bookkeeping
// of those starts costs a walk for any other sink nothing.
template <bool kTakesLineStarts>
class IndentWalk {
public:
    IndentWalk(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks, ListingSink& listing,
               std::size_t budget)
        : m_source(source)
        , m_excluded(excluded)
        , m_sinks(sinks)
        , m_listing(listing)
        , m_reporting(sinks.progress || sinks.status || sinks.runLog)
        , m_budget(budget)
    {
    }

    void run()
    {
        const std::size_t n = m_source.size();
        m_listing.expectSource(n);
        if (m_sinks.progress)
            m_sinks.progress->start(n);
        m_chunk.reserve(kChunkSize + kChunkSize / 4);
        if constexpr (kTakesLineStarts)
            startLineStart(1);
        else
            m_lineSources.push_back(1);
        for (std::size_t i = 1; i <= n;) {
            const std::size_t runEnd = plainRunEnd(i);
            if (runEnd > i) {
                copyPlainRun(i, runEnd);
                i = runEnd;
            } else {
                walkPosition(i);
                ++i;
            }
            checkBudget();
            if (m_chunk.size() >= kChunkSize)
                flushChunk();
        }
        flushChunk();
        reportProgress();
    }

private:
    // The source byte at a 1-based position; 0 past the end.
    unsigned char at(std::size_t position) const
    {
        return position <= m_source.size() ? static_cast<unsigned char>(m_source[position - 1]) : 0;
    }

    // The first position from i on whose byte is not only copied, in the
    // current mode (n + 1 when none is): a tag start or a slash; the '>'
    // that ends a tag, which is walked alone to leave the tag; a raw block's
    // line feed, or outside blocks a control byte, which is dropped.
    std::size_t plainRunEnd(std::size_t i) const
    {
        const ScanStops stops{'<', '/', m_inTag ? '>' : '<', '\n', !m_raw};
        return findStop(m_source, i - 1, stops) + 1;
    }

    // Copies the plain bytes at positions [first, end) in one go; each of
    // them is still reported as its own position. A long run goes to the
    // listing straight from the source.
    void copyPlainRun(std::size_t first, std::size_t end)
    {
        const std::size_t countBefore = m_count;
        const std::string_view run = m_source.substr(first - 1, end - first);
        if (run.size() >= kChunkSize) {
            flushChunk();
            emit(run);
        } else {
            m_chunk.append(run);
        }
        m_count += run.size();
        m_last = run.back();
        if (m_reporting)
            report(first, end - 1, countBefore + 1);
    }

    void walkPosition(std::size_t i)
    {
        const unsigned char c = at(i);
        const unsigned char c1 = at(i + 1);
        // The '/' of "/>" closes the tag before it; it is neither copied nor reported.
        if (c == '/' && c1 == '>') {
            m_depth -= m_step;
            altered();
            return;
        }
        if (c == '<')
            startTag(i, c1);
        copyByte(i, c, c1);
        if (c == '<')
            m_inTag = true;
        else if (c == '>')
            m_inTag = false;
        if (m_reporting)
            report(i, i, m_count);
    }

    void startTag(std::size_t i, unsigned char c1)
    {
        if (!m_raw) {
            put('\r');
            put('\n');
            beginLine(i);
        }
        if (c1 == '/')
            endTag(i);
        else
            openTag(i);
        if (m_depth < 0)
            m_depth = 0;
    }

    void endTag(std::size_t i)
    {
        scanName(i, 2, true);
        if (m_raw) {
            if (isRawBlockName(m_name))
                m_raw = false;
        } else {
            m_step = m_excluded.contains(m_name) ? 0 : kBlanksPerLevel;
            m_depth -= m_step;
        }
        putBlanks(m_depth);
    }

    void openTag(std::size_t i)
    {
        putBlanks(m_depth);
        scanName(i, 1, false);
        if (isRawBlockName(m_name)) {
            m_raw = true;
            return;
        }
        m_step = kBlanksPerLevel;
        if (m_excluded.contains(m_name) || isMarkupDeclarationName(m_name))
            m_step = 0;
        if (!m_raw)
            m_depth += m_step;
    }

    // Collects the upper-cased name of the tag whose '<' is at position i,
    // from offset j0 on. It never reads the source's last byte.
    void scanName(std::size_t i, std::size_t j0, bool endTag)
    {
        m_name.clear();
        for (std::size_t j = j0; j < kNameScanLimit && i + j < m_source.size(); ++j) {
            const unsigned char x = at(i + j);
            if (isNameStop(x))
                return;
            m_name += upperAsciiByte(static_cast<char>(x));
            if (isStopAfter(x, endTag))
                return;
        }
    }

    void copyByte(std::size_t i, unsigned char c, unsigned char c1)
    {
        if (!m_raw) {
            if (c >= 32) {
                put(static_cast<char>(c));
                return;
            }
            altered();
            // Inside a tag a run of control bytes separates like one blank,
            // so "<a" CR LF "href" keeps its attribute; in text they vanish.
            if (m_inTag && m_last != ' ')
                put(' ');
            return;
        }
        // A raw block's CR LF ends a listing line; the next begins after it.
        const bool lineEnds = c == '\n' && m_last == '\r';
        put(static_cast<char>(c));
        if (lineEnds)
            beginLine(i + 1);
        // A raw block's own line gets depth + 2 blanks unless a tag opens it.
        const char next[1] = {static_cast<char>(c1)};
        if (c == '\n' && FirstAboveBlank(std::string_view(next, 1)) != '<')
            putBlanks(m_depth + kBlanksPerLevel);
    }

    void put(char byte)
    {
        m_chunk += byte;
        ++m_count;
        m_last = byte;
    }

    // A line that begins at the source position was just begun by its CR LF.
    void beginLine(std::size_t position)
    {
        if constexpr (!kTakesLineStarts) {
            m_lineSources.push_back(position);
            return;
        }
        // The line ended before the CR LF just written.
        if (!m_lineStarts.empty())
            m_lineStarts.back().verbatim &= m_alteredAt >= m_chunk.size() - 2;
        startLineStart(position);
        m_lineStartInChunk = m_chunk.size();
    }

    // A line's bytes can be the source's only if the first of them, coming
    // from the source, is no blank that would join its leading blanks.
    void startLineStart(std::size_t position)
    {
        m_lineStarts.push_back(LineStart{position, 0, at(position) != ' '});
        m_alteredAt = std::string::npos;
    }

    // A source byte is dropped, or a byte written that the source does not
    // hold there; the line's bytes from here on are not the source's.
    void altered()
    {
        if constexpr (kTakesLineStarts)
            m_alteredAt = std::min(m_alteredAt, m_chunk.size());
    }

    // Blanks right at a line's start go to a sink that takes them as a
    // number as their last one alone.
    void putBlanks(long long n)
    {
        if (n <= 0)
            return;
        auto written = static_cast<std::size_t>(n);
        if (m_chunk.size() == m_lineStartInChunk) {
            m_lineStarts.back().leftOutBlanks += written - 1;
            written = 1;
        } else {
            altered();
        }
        m_chunk.append(written, ' ');
        m_count += static_cast<std::size_t>(n);
        m_last = ' ';
    }

    // The positions of the lines the chunk begins go ahead of it. The line
    // begun last may go on in the next chunk, so its bytes are not known.
    void flushChunk()
    {
        if (!m_lineStarts.empty())
            m_lineStarts.back().verbatim = false;
        if (!m_cut && !m_lineSources.empty())
            m_listing.beginLines(m_lineSources);
        if (!m_cut && !m_lineStarts.empty())
            m_listing.beginLineStarts(m_lineStarts);
        m_lineSources.clear();
        m_lineStarts.clear(); // or the sink's own, taken in exchange
        m_lineStartInChunk = std::string::npos;
        emit(m_chunk);
        m_chunk.clear();
    }

    // The listing ends at the first NUL, which only a raw block can copy;
    // what is written after it still counts in the run log.
    void emit(std::string_view bytes)
    {
        if (m_cut || bytes.empty())
            return;
        const std::size_t nul = bytes.find('\0');
        m_cut = nul != std::string_view::npos;
        m_listing.write(bytes.substr(0, nul));
    }

    // A plain run copies no more than the source holds. One other position
    // writes at most its depth and four bytes more, and reaching depth d takes
    // some d * d / 4 blanks already written, so checking after each step
    // passes the budget by little.
    void checkBudget() const
    {
        if (m_count > m_budget)
            throw AppError(listingTooLargeMessage(m_budget));
    }

    // Positions first..last were walked; the first of them left the output
    // count at firstCount, and each next one one byte more.
    void report(std::size_t first, std::size_t last, std::size_t firstCount)
    {
        if (m_sinks.runLog)
            m_sinks.runLog->appendLines(first, last, firstCount);
        m_unreportedPositions += last - first + 1;
        m_lastWalked = last;
        if (m_unreportedPositions >= kPositionsPerProgressReport)
            reportProgress();
    }

    void reportProgress()
    {
        if (m_unreportedPositions == 0)
            return;
        if (m_sinks.progress)
            m_sinks.progress->advance(m_unreportedPositions);
        if (m_sinks.status)
            m_sinks.status->showPosition(m_lastWalked, m_source.size());
        m_unreportedPositions = 0;
    }

    std::string_view m_source;
    const ExcludedTags& m_excluded;
    const WalkSinks& m_sinks;
    ListingSink& m_listing;
    const bool m_reporting;
    const std::size_t m_budget;
    std::string m_chunk;
    std::vector<std::size_t> m_lineSources; // where the chunk's new lines began
    std::vector<LineStart> m_lineStarts;    // the same for a listing that takes them
    // Where in the chunk the line begun last begins, while it can still
    // leave out blanks; npos otherwise.
    std::size_t m_lineStartInChunk = std::string::npos;
    // Where in the chunk the walk first altered the source's bytes since
    // the line begun last began; npos while it has not. A line whose bytes
    // end there is still the source's own.
    std::size_t m_alteredAt = std::string::npos;
    std::size_t m_count = 0; // bytes written, the cut-off ones included
    char m_last = 0;         // the byte written last
    bool m_cut = false;      // a NUL has ended the listing
    std::size_t m_unreportedPositions = 0; // walked since progress and status were last told
    std::size_t m_lastWalked = 0;          // the position walked last
    std::string m_name;
    long long m_depth = 0; // in blanks, not levels
    long long m_step = 0;
    bool m_raw = false;
    bool m_inTag = false; // between a '<' and the next '>'
};

} // namespace

unsigned char FirstAboveBlank(std::string_view text)
{
    const std::size_t at = offsetAboveBlank(text);
    return at == std::string_view::npos ? 0 : static_cast<unsigned char>(text[at]);
}

void walkSource(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks, ListingSink& listing)
{
    walkSourceWithin(source, excluded, sinks, listing, listingBudget(source.size()));
}

void walkSourceWithin(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks,
                      ListingSink& listing, std::size_t budget)
{
    if (listing.takesLineStarts())
        IndentWalk<true>(source, excluded, sinks, listing, budget).run();
    else
        IndentWalk<false>(source, excluded, sinks, listing, budget).run();
}

std::string indentSource(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks)
{
    return indentSourceWithin(source, excluded, sinks, listingBudget(source.size()));
}

std::string indentSourceWithin(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks,
                               std::size_t budget)
{
    StringListingSink listing;
    walkSourceWithin(source, excluded, sinks, listing, budget);
    return std::move(listing.text);
}

} // namespace vorelind
