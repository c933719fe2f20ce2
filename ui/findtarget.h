#pragma once

#include <cstddef>
#include <optional>

class QAbstractItemView;

namespace vorelind {

class SjisFind;

// A view that the find bar searches: its items in order, each matched on
// its Shift-JIS bytes, the item that a search goes on from, and the
// showing of a found one.
class FindTarget {
public:
    virtual ~FindTarget() = default;

    // The view whose model's resets change the items.
    virtual QAbstractItemView& view() const = 0;
    virtual std::size_t itemCount() const = 0;
    virtual bool matches(std::size_t item, const SjisFind& find) const = 0;
    // None while the view has no current item.
    virtual std::optional<std::size_t> currentItem() const = 0;
    // Makes the item current, scrolled into view, with the find's first
    // match in it shown as the selection.
    virtual void reveal(std::size_t item, const SjisFind& find) = 0;
};

} // namespace vorelind
