#include "document/lineindex.h"

#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

LineIndex::LineIndex(std::string_view text)
    : m_lineStarts{0}
{
    for (std::size_t pair = text.find("\r\n"); pair != std::string_view::npos; pair = text.find("\r\n", pair + 2))
        m_lineStarts.push_back(pair + 2);
}

LineColumn LineIndex::at(std::size_t offset) const
{
    // The last line that starts at or before the offset; the first starts at 0.
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const auto line = static_cast<std::size_t>(next - m_lineStarts.begin());
    return {line, offset - m_lineStarts[line - 1] + 1};
}

LineColumn LineIndex::characterAt(std::string_view text, std::size_t offset) const
{
    const LineColumn place = at(offset);
    std::size_t characters = 0;
    for (std::size_t byte = lineStart(place.line); byte < offset; ++characters)
        byte += isSjisLeadByte(static_cast<unsigned char>(text[byte])) ? 2 : 1;
    return {place.line, characters + 1};
}

std::size_t lineCountOf(std::string_view text)
{
    std::size_t count = 1;
    for (std::size_t pair = text.find("\r\n"); pair != std::string_view::npos; pair = text.find("\r\n", pair + 2))
        ++count;
    return count;
}

std::string lineColumnText(LineColumn place)
{
    return std::to_string(place.line) + ':' + std::to_string(place.column);
}

} // namespace vorelind
