#include "ui/rowfindtarget.h"

#include "util/sjisfind.h"

#include <QAbstractItemView>

namespace vorelind {

RowFindTarget::RowFindTarget(QAbstractItemView& view, RowMatch firstMatch, ShowMatch showMatch)
    : m_view(view)
    , m_firstMatch(std::move(firstMatch))
    , m_showMatch(std::move(showMatch))
{
}

std::size_t RowFindTarget::itemCount() const
{
    return static_cast<std::size_t>(m_view.model()->rowCount());
}

std::optional<std::size_t> RowFindTarget::currentItem() const
{
    const QModelIndex current = m_view.currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

// The row becomes current but not selected: the match stands out in it.
void RowFindTarget::reveal(std::size_t item, const SjisFind& find)
{
    const QModelIndex index = m_view.model()->index(static_cast<int>(item), 0);
    m_view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::Clear);
    m_view.scrollTo(index);
    if (const std::optional<std::size_t> start = m_firstMatch(item, find))
        m_showMatch(item, *start, find.length());
}

} // namespace vorelind
