#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Base::Binding
{
/// What removal an array change notification describes.
enum class EArrayRemovalKind : std::int32_t
{
    None = 0,             ///< nothing removed
    All = 1,              ///< every element removed
    Indices = 2,          ///< the elements at `removedIndices` removed
    SourceDestroyed = 3,  ///< the source is being destroyed: all elements gone, nothing follows
};

/// Exactly what changed in an array: replaced elements, inserted elements (positions in the new array,
/// ascending) and removed ones (positions in the old array, ascending). Producers never combine an
/// insertion and a removal in one notification.
template <class T>
struct ArrayChangedNotification
{
    std::int32_t status = 0; ///< The source's status (0 while it lives).
    std::vector<std::size_t> changedIndices; ///< Positions whose elements were replaced, ascending.
    std::vector<T> changedValues; ///< The new elements at `changedIndices`, in the same order.
    std::vector<std::size_t> insertedIndices; ///< Positions of inserted elements in the new array, ascending.
    std::vector<T> insertedValues; ///< The inserted elements, in the same order.
    EArrayRemovalKind removalKind = EArrayRemovalKind::None; ///< What was removed.
    /// Positions of removed elements in the old array, ascending (with `removalKind` Indices).
    std::vector<std::size_t> removedIndices;
};
} // namespace Base::Binding
