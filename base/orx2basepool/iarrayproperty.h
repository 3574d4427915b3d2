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
    virtual void Set(std::vector<T> const& values) = 0;
    virtual void SetAt(std::size_t index, T const& value) = 0;
    virtual void SetRange(std::size_t index, std::vector<T> const& values) = 0;
    virtual void Insert(std::size_t index, T const& value) = 0;
    virtual void InsertRange(std::size_t index, std::vector<T> const& values) = 0;
    virtual void Append(std::vector<T> const& values) = 0;
    virtual void Add(T const& value) = 0;
    virtual void RemoveAt(std::size_t index) = 0;
    virtual void RemoveRange(std::size_t first, std::size_t last) = 0;
    virtual void RemoveLast() = 0;
    virtual void Clear() = 0;
};
} // namespace Base::Binding
