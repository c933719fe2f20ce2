#include "ui/sourcerowmodel.h"

#include "platform/codecs/displaytext.h"

namespace vorelind {

SourceRowModel::SourceRowModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void SourceRowModel::setSource(std::shared_ptr<const std::string> bytes, SourceIndex index)
{
    beginResetModel();
    m_bytes = std::move(bytes);
    m_index = std::move(index);
    endResetModel();
}

std::string_view SourceRowModel::row(std::size_t row) const
{
    return m_index.row(*m_bytes, row);
}

std::string_view SourceRowModel::rowAndContinuation(std::size_t row) const
{
    const std::string_view bytes = *m_bytes;
    const std::size_t length = m_index.row(bytes, row).size()
        + (m_index.continued(bytes, row) ? m_index.row(bytes, row + 1).size() : 0);
    return bytes.substr(m_index.rowOffset(row), length);
}

int SourceRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_index.rowCount());
}

QVariant SourceRowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return toDisplayText(row(static_cast<std::size_t>(index.row())));
}

} // namespace vorelind
