#include "ui/treefindtarget.h"

#include "ui/treeindent.h"
#include "util/sjisfind.h"

namespace vorelind {

TreeFindTarget::TreeFindTarget(TTreeIndent& tree)
    : m_tree(tree)
{
}

QAbstractItemView& TreeFindTarget::view() const
{
    return m_tree;
}

std::size_t TreeFindTarget::itemCount() const
{
    return m_tree.indentModel().tree().nodeCount();
}

bool TreeFindTarget::matches(std::size_t item, const SjisFind& find) const
{
    return find.isIn(m_tree.indentModel().tree().text(item));
}

std::optional<std::size_t> TreeFindTarget::currentItem() const
{
    const QModelIndex current = m_tree.currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return m_tree.indentModel().nodeOf(current);
}

void TreeFindTarget::reveal(std::size_t item)
{
    m_tree.revealNode(item);
}

} // namespace vorelind
