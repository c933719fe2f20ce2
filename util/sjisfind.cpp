#include "util/sjisfind.h"

#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

namespace {

// The width of the character that starts at the position: a lead byte and
// the byte after it, or one byte; a lead byte at the very end stands alone.
std::size_t characterWidth(std::string_view text, std::size_t at)
{
    return isSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

} // namespace

SjisFind::SjisFind(std::string_view query, bool matchCase)
    : m_query(query)
    , m_matchCase(matchCase)
{
    for (std::size_t at = 0; at < m_query.size(); at += characterWidth(m_query, at))
        m_query[at] = folded(m_query[at]);
}

bool SjisFind::isIn(std::string_view text, std::size_t startsBefore) const
{
    if (m_query.empty() || text.size() < m_query.size())
        return false;
    const std::size_t end = std::min(text.size() - m_query.size() + 1, startsBefore);
    for (std::size_t at = 0; at < end; at += characterWidth(text, at)) {
        if (matchesAt(text, at))
            return true;
    }
    return false;
}

// The query's characters decide the widths: a match that starts on a
// character keeps to the text's characters, since a folded letter is never
// a lead byte.
bool SjisFind::matchesAt(std::string_view text, std::size_t at) const
{
    for (std::size_t index = 0; index < m_query.size();) {
        const std::size_t width = characterWidth(m_query, index);
        if (width == 2) {
            if (text[at + index] != m_query[index] || text[at + index + 1] != m_query[index + 1])
                return false;
        } else if (folded(text[at + index]) != m_query[index]) {
            return false;
        }
        index += width;
    }
    return true;
}

char SjisFind::folded(char byte) const
{
    return m_matchCase ? byte : upperAsciiByte(byte);
}

} // namespace vorelind
