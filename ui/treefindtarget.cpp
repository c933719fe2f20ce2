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

// The node becomes current but not selected: the match stands out in it.
void TreeFindTarget::reveal(std::size_t item, const SjisFind& find)
{
    m_tree.revealNode(item);
    m_tree.clearSelection();
    if (const std::optional<std::size_t> start = find.firstIn(m_tree.indentModel().tree().text(item)))
        m_tree.markMatch(item, *start, find.length());
}

} // namespace vorelind
