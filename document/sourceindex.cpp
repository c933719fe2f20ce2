#include "document/sourceindex.h"

#include "util/bytescan.h"
#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

namespace {

// The bytes that end a row: CR and LF.
constexpr ScanStops kRowBreaks{'\r', '\n', '\n', '\n', false};

// The length of the row that starts a line's remaining bytes: all of them
// when they fit, else as many whole characters as fit.
std::size_t rowLength(std::string_view rest)
{
    if (rest.size() <= SourceIndex::kRowBytes)
        return rest.size();
    std::size_t length = 0;
    for (;;) {
        const std::size_t width = isSjisLeadByte(static_cast<unsigned char>(rest[length])) ? 2 : 1;
        if (length + width > SourceIndex::kRowBytes)
            return length;
        length += width;
    }
}

} // namespace

SourceIndex SourceIndex::linesOf(std::string_view text)
{
    SourceIndex index;
    for (std::size_t pair = text.find("\r\n"); pair != std::string_view::npos; pair = text.find("\r\n", pair + 2))
        index.m_lineStarts.push_back(pair + 2);
    return index;
}

SourceIndex SourceIndex::linesAndRowsOf(std::string_view text, std::size_t rowLimit)
{
    return SourceIndex(text, rowLimit);
}

// Each row break is sought once; a CR LF among them starts a line too. While
// the rows are limited, a line is indexed only where a row of it is, so that
// the lines end with the rows; the empty line after a last CR LF has none.
SourceIndex::SourceIndex(std::string_view text, std::size_t rowLimit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = findStop(text, start, kRowBreaks);
        if (!indexRows(text.substr(start, end - start), start, rowLimit))
            return;
        if (end == text.size())
            break;
        const bool pair = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (pair ? 2 : 1);
        if (pair && (start == text.size() || rowCount() < rowLimit))
            m_lineStarts.push_back(start);
    }
    m_rowsEnd = text.size();
}

// An empty line is one empty row. A line cut off by the limit leaves the
// index incomplete; false then.
bool SourceIndex::indexRows(std::string_view line, std::size_t offset, std::size_t rowLimit)
{
    std::size_t indexed = 0;
    do {
        if (rowCount() >= rowLimit) {
            m_rowsEnd = offset + indexed;
            m_complete = false;
            return false;
        }
        m_rowStarts.push_back(offset + indexed);
        indexed += rowLength(line.substr(indexed));
    } while (indexed < line.size());
    return true;
}

LineColumn SourceIndex::at(std::size_t offset) const
{
    // The last line that starts at or before the offset; the first starts at 0.
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const auto line = static_cast<std::size_t>(next - m_lineStarts.begin());
    return {line, offset - m_lineStarts[line - 1] + 1};
}

LineColumn SourceIndex::characterAt(std::string_view text, std::size_t offset) const
{
    const LineColumn place = at(offset);
    std::size_t characters = 0;
    for (std::size_t byte = lineStart(place.line); byte < offset; ++characters)
        byte += isSjisLeadByte(static_cast<unsigned char>(text[byte])) ? 2 : 1;
    return {place.line, characters + 1};
}

std::string_view SourceIndex::row(std::string_view text, std::size_t row) const
{
    return text.substr(rowOffset(row), rowEnd(text, row) - rowOffset(row));
}

std::size_t SourceIndex::rowAt(std::size_t offset) const
{
    const auto next = std::upper_bound(m_rowStarts.begin(), m_rowStarts.end(), offset);
    return next == m_rowStarts.begin() ? 0 : static_cast<std::size_t>(next - m_rowStarts.begin()) - 1;
}

bool SourceIndex::continued(std::string_view text, std::size_t row) const
{
    return row + 1 < rowCount() && rowEnd(text, row) == rowOffset(row + 1);
}

// A row runs to where the next one starts, less the break between them: a
// row holds no CR or LF, so those before the next row's start are its break.
std::size_t SourceIndex::rowEnd(std::string_view text, std::size_t row) const
{
    const std::size_t start = rowOffset(row);
    std::size_t end = row + 1 < rowCount() ? rowOffset(row + 1) : m_rowsEnd;
    if (end > start && text[end - 1] == '\n')
        --end;
    if (end > start && text[end - 1] == '\r')
        --end;
    return end;
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
