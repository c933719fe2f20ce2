#include "document/indentwalk.h"

#include "document/sizelimits.h"
#include "util/apperror.h"

namespace vorelind {

namespace {

constexpr std::size_t kNameScanLimit = 257; // offsets; so a start tag's name holds 256 bytes
constexpr long long kBlanksPerLevel = 2;

bool isNameStop(unsigned char byte)
{
    return byte == '/' || byte == '>' || byte == '\t' || byte == ' ';
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
        , m_budget(budget)
    {
    }

    std::string run()
    {
        const std::size_t n = m_source.size();
        if (m_sinks.progress)
            m_sinks.progress->start(n);
        m_output.reserve(3 * n);
        for (std::size_t i = 1; i <= n; ++i) {
            const unsigned char c = at(i);
            const unsigned char c1 = at(i + 1);
            // The '/' of "/>" closes the tag before it; it is neither copied nor reported.
            if (c == '/' && c1 == '>') {
                m_depth -= m_step;
                continue;
            }
            if (c == '<')
                startTag(i, c1);
            copyByte(c, c1);
            checkBudget();
            report(i);
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
        scanName(i, 2, "!?");
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
        scanName(i, 1, "!%?");
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
    void scanName(std::size_t i, std::size_t j0, std::string_view stopAfter)
    {
        m_name.clear();
        for (std::size_t j = j0; j < kNameScanLimit && i + j < m_source.size(); ++j) {
            const unsigned char x = at(i + j);
            if (isNameStop(x))
                return;
            m_name += static_cast<char>(x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x);
            if (stopAfter.find(static_cast<char>(x)) != std::string_view::npos)
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

    // One position writes at most its depth and four bytes more, and reaching
    // depth d takes some d * d / 4 blanks already written, so checking once
    // per position passes the budget by little.
    void checkBudget() const
    {
        if (m_output.size() > m_budget)
            throw AppError(listingTooLargeMessage(m_budget));
    }

    void report(std::size_t i)
    {
        if (m_sinks.runLog)
            m_sinks.runLog->appendLine(m_output.size(), i);
        if (m_sinks.progress)
            m_sinks.progress->advance();
        if (m_sinks.status)
            m_sinks.status->showPosition(i, m_source.size());
    }

    std::string_view m_source;
    const ExcludedTags& m_excluded;
    const WalkSinks& m_sinks;
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
