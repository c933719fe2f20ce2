#include "ui/sourcerowmodel.h"

#include "platform/displaytext.h"
#include "util/sjis.h"

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

// The first CR or LF from `from` on, or the text's size; a plain loop, which
// the compiler makes far quicker than a search for one of a set of bytes.
std::size_t lineEnd(std::string_view text, std::size_t from)
{
    while (from < text.size() && text[from] != '\r' && text[from] != '\n')
        ++from;
    return from;
}

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
    std::size_t start = 0;
    while (start < source.size()) {
        const std::size_t end = lineEnd(source, start);
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
