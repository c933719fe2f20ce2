#include "ui/listingmodel.h"

#include "look/windowlook.h"

#include <algorithm>

namespace vorelind {

void ListingModel::setListing(std::shared_ptr<const Listing> listing)
{
    beginResetModel();
    // The same listing, tidied in place, keeps its rows and so its marks.
    if (listing != m_listing)
        m_markedRows.clear();
    m_listing = std::move(listing);
    endResetModel();
}

void ListingModel::setMarkedRows(std::vector<std::size_t> rows)
{
    const bool changed = !m_markedRows.empty() || !rows.empty();
    m_markedRows = std::move(rows);
    if (changed && rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::BackgroundRole});
}

std::size_t ListingModel::sourceLine(std::size_t row, const SourceIndex& sourceLines) const
{
    const std::size_t position = m_listing->sourcePosition(row);
    return position == 0 ? 0 : sourceLines.at(position - 1).line;
}

QVariant ListingModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::AccessibleDescriptionRole)
        return LineRowsModel::data(index, role);
    const auto row = static_cast<std::size_t>(index.row());
    if (!std::binary_search(m_markedRows.begin(), m_markedRows.end(), row))
        return {};
    if (role == Qt::BackgroundRole)
        return unmatchedTint();
    return m_describeMark ? QVariant(m_describeMark(row)) : QVariant();
}

} // namespace vorelind
