#pragma once
#include "base/orx2basepool/ireadonlyarrayproperty.h"

namespace Base::Binding
{
/// An array source edited through list operations. Each edit is atomic, notifies exactly what changed
/// (or nothing when it changes nothing) and may be called from any thread.
template <class T>
class IArrayProperty : public IReadOnlyArrayProperty<T>
{
public:
    /// Replaces the whole array; an identical array still notifies (with all lists empty).
    virtual void Set(std::vector<T> const& values) = 0;
    /// Replaces the element at `index`; beyond the end the array grows with default elements first.
    virtual void SetAt(std::size_t index, T const& value) = 0;
    /// Overwrites the elements from `index` on, growing the array as needed; nothing for empty `values`.
    virtual void SetRange(std::size_t index, std::vector<T> const& values) = 0;
    /// Inserts `value` before position `index`; beyond the end, default elements fill the gap first.
    virtual void Insert(std::size_t index, T const& value) = 0;
    /// Inserts `values` before position `index` (gap filled as Insert); nothing for empty `values`.
    virtual void InsertRange(std::size_t index, std::vector<T> const& values) = 0;
    /// Appends `values`; nothing for empty `values`.
    virtual void Append(std::vector<T> const& values) = 0;
    /// Appends one element.
    virtual void Add(T const& value) = 0;
    /// Removes the element at `index`; nothing at or beyond the size.
    virtual void RemoveAt(std::size_t index) = 0;
    /// Removes the positions `[first, min(last, size))`; nothing when that range is empty.
    virtual void RemoveRange(std::size_t first, std::size_t last) = 0;
    /// Removes the last element; nothing on an empty array.
    virtual void RemoveLast() = 0;
    /// Removes every element; nothing on an empty array.
    virtual void Clear() = 0;
};
} // namespace Base::Binding
