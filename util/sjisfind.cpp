#include "util/sjisfind.h"

#include "util/sjis.h"

#include <algorithm>
#include <cstring>

namespace vorelind {

namespace {

// The width of the character that starts at the position: a lead byte and
// the byte after it, or one byte; a lead byte at the very end stands alone.
std::size_t characterWidth(std::string_view text, std::size_t at)
{
    return isSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Whether a character starts at the position, given one that starts at
// known, before it. The bytes before the position that could be lead bytes
// pair up from the last byte that can't be one, after which a character
// always starts, or from the known start; an even run of them ends on a
// start. Each byte is looked at once, however many places are asked about.
bool startsCharacter(std::string_view text, std::size_t known, std::size_t at)
{
    std::size_t leadLike = 0;
    while (at - leadLike > known && isSjisLeadByte(static_cast<unsigned char>(text[at - leadLike - 1])))
        ++leadLike;
    return leadLike % 2 == 0;
}

} // namespace

SjisFind::SjisFind(std::string_view query, bool matchCase)
    : m_query(query)
    , m_matchCase(matchCase)
{
    for (std::size_t at = 0; at < m_query.size(); at += characterWidth(m_query, at))
        m_query[at] = folded(m_query[at]);
}

std::optional<std::size_t> SjisFind::firstIn(std::string_view text, std::size_t startsBefore) const
{
    if (m_query.empty() || text.size() < m_query.size())
        return std::nullopt;
    const std::size_t end = std::min(text.size() - m_query.size() + 1, startsBefore);
    std::size_t known = 0;
    for (std::size_t at = candidateFrom(text, 0, end); at < end; at = candidateFrom(text, at + 1, end)) {
        const bool starts = startsCharacter(text, known, at);
        if (starts && matchesAt(text, at))
            return at;
        // A place that starts no character is a second byte: one starts after it.
        known = starts ? at : at + 1;
    }
    return std::nullopt;
}

// The first place from on, before end, whose byte is the query's first
// (in either case when that is a letter and case does not count); end when
// there is none. The quick scan for one byte finds the few places worth a
// closer look.
std::size_t SjisFind::candidateFrom(std::string_view text, std::size_t from, std::size_t end) const
{
    const char first = m_query.front();
    if (m_matchCase || first < 'A' || first > 'Z') {
        const void* found = from < end ? std::memchr(text.data() + from, first, end - from) : nullptr;
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : end;
    }
    while (from < end && upperAsciiByte(text[from]) != first)
        ++from;
    return from;
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
