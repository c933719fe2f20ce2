#pragma once

#include "ui/findtarget.h"

namespace vorelind {

class TTreeIndent;

// The tag tree searched over all its nodes, shown or not, in the order of
// the listing lines they came from.
class TreeFindTarget : public FindTarget {
public:
    explicit TreeFindTarget(TTreeIndent& tree);

    QAbstractItemView& view() const override;
    std::size_t itemCount() const override;
    bool matches(std::size_t item, const SjisFind& find) const override;
    std::optional<std::size_t> currentItem() const override;
    void reveal(std::size_t item, const SjisFind& find) override;

private:
    TTreeIndent& m_tree;
};

} // namespace vorelind
