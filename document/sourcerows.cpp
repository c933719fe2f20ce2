#include "document/sourcerows.h"

#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

namespace {

// The length of the row that starts a line's remaining bytes: all of them
// when they fit, else as many whole characters as fit.
std::size_t rowLength(std::string_view rest)
{
    if (rest.size() <= SourceRows::kRowBytes)
        return rest.size();
    std::size_t length = 0;
    for (;;) {
        const std::size_t width = isSjisLeadByte(static_cast<unsigned char>(rest[length])) ? 2 : 1;
        if (length + width > SourceRows::kRowBytes)
            return length;
        length += width;
    }
}

// Finds where lines end: at the first CR or LF from a place on, or at the
// text's end. Loaded text ends its lines with CR LF, so the LF is sought
// with a quick search for one byte and kept until the lines pass it, and
// then any CR before it; a text of lone CRs still costs one pass.
class LineEnds {
public:
    explicit LineEnds(std::string_view text)
        : m_text(text)
        , m_lf(lfFrom(0))
    {
    }

    std::size_t from(std::size_t start)
    {
        if (m_lf < start)
            m_lf = lfFrom(start);
        return std::min(m_text.substr(0, m_lf).find('\r', start), m_lf);
    }

private:
    std::size_t lfFrom(std::size_t start) const { return std::min(m_text.find('\n', start), m_text.size()); }

    std::string_view m_text;
    std::size_t m_lf;
};

} // namespace

SourceRows::SourceRows(std::string_view text, std::size_t rowLimit)
{
    LineEnds lineEnds(text);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = lineEnds.from(start);
        indexLine(text.substr(start, end - start), start, rowLimit);
        if (!m_complete || end == text.size())
            return;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
}

std::size_t SourceRows::rowAt(std::size_t offset) const
{
    const auto next = std::upper_bound(m_rows.begin(), m_rows.end(), offset,
                                       [](std::size_t at, const Row& row) { return at < row.offset; });
    return next == m_rows.begin() ? 0 : static_cast<std::size_t>(next - m_rows.begin()) - 1;
}

// An empty line is one empty row. A line cut off by the limit leaves the
// rows incomplete.
void SourceRows::indexLine(std::string_view line, std::size_t offset, std::size_t rowLimit)
{
    std::size_t indexed = 0;
    do {
        if (count() >= rowLimit) {
            m_complete = false;
            return;
        }
        const std::size_t rowBytes = rowLength(line.substr(indexed));
        m_rows.push_back(Row{offset + indexed, rowBytes});
        indexed += rowBytes;
    } while (indexed < line.size());
}

} // namespace vorelind
