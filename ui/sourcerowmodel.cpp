#include "ui/sourcerowmodel.h"

#include "platform/codecs/displaytext.h"

namespace vorelind {

SourceRowModel::SourceRowModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void SourceRowModel::setSource(std::shared_ptr<const std::string> bytes, SourceRows rows)
{
    beginResetModel();
    m_bytes = std::move(bytes);
    m_rows = std::move(rows);
    endResetModel();
}

std::string_view SourceRowModel::row(std::size_t row) const
{
    return std::string_view(*m_bytes).substr(m_rows.offset(row), m_rows.length(row));
}

std::string_view SourceRowModel::rowAndContinuation(std::size_t row) const
{
    const std::size_t length = m_rows.length(row) + (m_rows.continued(row) ? m_rows.length(row + 1) : 0);
    return std::string_view(*m_bytes).substr(m_rows.offset(row), length);
}

int SourceRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.count());
}

QVariant SourceRowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return toDisplayText(row(static_cast<std::size_t>(index.row())));
}

} // namespace vorelind
