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
    std::int32_t status = 0;
    std::vector<std::size_t> changedIndices;
    std::vector<T> changedValues;
    std::vector<std::size_t> insertedIndices;
    std::vector<T> insertedValues;
    EArrayRemovalKind removalKind = EArrayRemovalKind::None;
    std::vector<std::size_t> removedIndices;
};
} // namespace Base::Binding
