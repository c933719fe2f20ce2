#include "document/indentwalk.h"

#include "document/sizelimits.h"
#include "util/apperror.h"
#include "util/largebuffer.h"

namespace vorelind {

namespace {

constexpr std::size_t kNameScanLimit = 257; // offsets; so a start tag's name holds 256 bytes
constexpr long long kBlanksPerLevel = 2;

bool isNameStop(unsigned char byte)
{
    return byte == '/' || byte == '>' || byte == '\t' || byte == ' ';
}

// Bytes that end a tag name after being taken into it: '!' and '?' always,
// '%' only in a start tag.
bool isStopAfter(unsigned char byte, bool endTag)
{
    return byte == '!' || byte == '?' || (byte == '%' && !endTag);
}

bool isRawBlockName(const std::string& name)
{
    return name == "SCRIPT" || name == "PRE";
}

// Declarations, comments, processing instructions and server blocks.
bool isMarkupDeclarationName(const std::string& name)
{
    return name == "!" || name == "?" || name == "%";
}

// One run over one source; positions are 1-based as in the run log.
class IndentWalk {
public:
    IndentWalk(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks, std::size_t budget)
        : m_source(source)
        , m_excluded(excluded)
        , m_sinks(sinks)
        , m_reporting(sinks.progress || sinks.status || sinks.runLog)
        , m_budget(budget)
    {
    }

    std::string run()
    {
        const std::size_t n = m_source.size();
        if (m_sinks.progress)
            m_sinks.progress->start(n);
        reserveLarge(m_output, 3 * n);
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
        }
        // The listing ends at the first NUL, which only a raw block can copy.
        const auto end = m_output.find('\0');
        if (end != std::string::npos)
            m_output.resize(end);
        return std::move(m_output);
    }

private:
    // The source byte at a 1-based position; 0 past the end.
    unsigned char at(std::size_t position) const
    {
        return position <= m_source.size() ? static_cast<unsigned char>(m_source[position - 1]) : 0;
    }

    // Returns whether a byte is only copied, in the current mode: no tag
    // start, no slash, and no byte that is dropped or starts a block line.
    bool isPlain(unsigned char c) const
    {
        if (c == '<' || c == '/')
            return false;
        return m_raw ? c != '\n' : c >= 32;
    }

    // The first position from i on whose byte is not plain (n + 1 when none is).
    std::size_t plainRunEnd(std::size_t i) const
    {
        while (i <= m_source.size() && isPlain(at(i)))
            ++i;
        return i;
    }

    // Copies the plain bytes at positions [first, end) in one go; each of
    // them is still reported as its own position.
    void copyPlainRun(std::size_t first, std::size_t end)
    {
        const std::size_t countBefore = m_output.size();
        m_output.append(m_source.substr(first - 1, end - first));
        if (!m_reporting)
            return;
        for (std::size_t i = first; i < end; ++i)
            report(i, countBefore + (i - first + 1));
    }

    void walkPosition(std::size_t i)
    {
        const unsigned char c = at(i);
        const unsigned char c1 = at(i + 1);
        // The '/' of "/>" closes the tag before it; it is neither copied nor reported.
        if (c == '/' && c1 == '>') {
            m_depth -= m_step;
            return;
        }
        if (c == '<')
            startTag(i, c1);
        copyByte(c, c1);
        if (m_reporting)
            report(i, m_output.size());
    }

    void startTag(std::size_t i, unsigned char c1)
    {
        if (!m_raw)
            m_output += "\r\n";
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
        AppendBlanks(m_output, m_depth);
    }

    void openTag(std::size_t i)
    {
        AppendBlanks(m_output, m_depth);
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
    // from offset j0 on. It never reads the source's last byte, and a name
    // runs on across line breaks.
    void scanName(std::size_t i, std::size_t j0, bool endTag)
    {
        m_name.clear();
        for (std::size_t j = j0; j < kNameScanLimit && i + j < m_source.size(); ++j) {
            const unsigned char x = at(i + j);
            if (isNameStop(x))
                return;
            m_name += static_cast<char>(x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x);
            if (isStopAfter(x, endTag))
                return;
        }
    }

    void copyByte(unsigned char c, unsigned char c1)
    {
        if (!m_raw) {
            // Line breaks, tabs and other control bytes vanish outside raw blocks.
            if (c >= 32)
                m_output += static_cast<char>(c);
            return;
        }
        m_output += static_cast<char>(c);
        // A raw block's own line gets depth + 2 blanks unless a tag opens it.
        const char next[1] = {static_cast<char>(c1)};
        if (c == '\n' && FirstAboveBlank(std::string_view(next, 1)) != '<')
            AppendBlanks(m_output, m_depth + kBlanksPerLevel);
    }

    // A plain run copies no more than the source holds. One other position
    // writes at most its depth and four bytes more, and reaching depth d takes
    // some d * d / 4 blanks already written, so checking after each step
    // passes the budget by little.
    void checkBudget() const
    {
        if (m_output.size() > m_budget)
            throw AppError(listingTooLargeMessage(m_budget));
    }

    void report(std::size_t i, std::size_t outputCount)
    {
        if (m_sinks.runLog)
            m_sinks.runLog->appendLine(outputCount, i);
        if (m_sinks.progress)
            m_sinks.progress->advance();
        if (m_sinks.status)
            m_sinks.status->showPosition(i, m_source.size());
    }

    std::string_view m_source;
    const ExcludedTags& m_excluded;
    const WalkSinks& m_sinks;
    const bool m_reporting;
    const std::size_t m_budget;
    std::string m_output;
    std::string m_name;
    long long m_depth = 0; // in blanks, not levels
    long long m_step = 0;
    bool m_raw = false;
};

} // namespace

unsigned char FirstAboveBlank(std::string_view text)
{
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) > 32)
            return static_cast<unsigned char>(byte);
    }
    return 0;
}

void AppendBlanks(std::string& output, long long n)
{
    if (n > 0)
        output.append(static_cast<std::size_t>(n), ' ');
}

std::string indentSource(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks)
{
    return indentSourceWithin(source, excluded, sinks, listingBudget(source.size()));
}

std::string indentSourceWithin(std::string_view source, const ExcludedTags& excluded, const WalkSinks& sinks,
                               std::size_t budget)
{
    return IndentWalk(source, excluded, sinks, budget).run();
}

} // namespace vorelind
