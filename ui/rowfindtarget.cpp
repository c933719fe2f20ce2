#include "ui/rowfindtarget.h"

#include <QAbstractItemView>

namespace vorelind {

RowFindTarget::RowFindTarget(QAbstractItemView& view, RowMatches matches)
    : m_view(view)
    , m_matches(std::move(matches))
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

void RowFindTarget::reveal(std::size_t item)
{
    const QModelIndex index = m_view.model()->index(static_cast<int>(item), 0);
    m_view.setCurrentIndex(index);
    m_view.scrollTo(index);
}

} // namespace vorelind
