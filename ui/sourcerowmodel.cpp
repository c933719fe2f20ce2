#include "ui/sourcerowmodel.h"

#include "platform/codecs/displaytext.h"
#include "util/sjis.h"

#include <algorithm>

namespace vorelind {

namespace {

// The length of the row that starts a line's remaining bytes: all of them
// when they fit, else as many whole characters as fit.
std::size_t rowLength(std::string_view rest)
{
    if (rest.size() <= SourceRowModel::kRowBytes)
        return rest.size();
    std::size_t length = 0;
    for (;;) {
        const std::size_t width = isSjisLeadByte(static_cast<unsigned char>(rest[length])) ? 2 : 1;
        if (length + width > SourceRowModel::kRowBytes)
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

SourceRowModel::SourceRowModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void SourceRowModel::setSource(std::shared_ptr<const std::string> bytes)
{
    beginResetModel();
    m_bytes = std::move(bytes);
    m_rows.clear();
    const std::string_view source = *m_bytes;
    LineEnds lineEnds(source);
    std::size_t start = 0;
    while (start < source.size()) {
        const std::size_t end = lineEnds.from(start);
        indexLine(start, end - start);
        if (end == source.size())
            break;
        const bool crlf = source[end] == '\r' && end + 1 < source.size() && source[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    endResetModel();
}

std::string_view SourceRowModel::row(std::size_t row) const
{
    return std::string_view(*m_bytes).substr(m_rows[row].offset, m_rows[row].length);
}

std::size_t SourceRowModel::rowAt(std::size_t offset) const
{
    const auto next = std::upper_bound(m_rows.begin(), m_rows.end(), offset,
                                       [](std::size_t at, const Row& row) { return at < row.offset; });
    return next == m_rows.begin() ? 0 : static_cast<std::size_t>(next - m_rows.begin()) - 1;
}

int SourceRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant SourceRowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return toDisplayText(row(static_cast<std::size_t>(index.row())));
}

// An empty line is one empty row.
void SourceRowModel::indexLine(std::size_t offset, std::size_t length)
{
    const std::size_t end = offset + length;
    do {
        const std::size_t rowBytes = rowLength(std::string_view(*m_bytes).substr(offset, end - offset));
        m_rows.push_back(Row{offset, rowBytes});
        offset += rowBytes;
    } while (offset < end);
}

} // namespace vorelind
