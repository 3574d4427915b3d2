#pragma once
#include "base/orx2basepool/iarraybindingsource.h"

#include <array>
#include <cstddef>
#include <memory>

namespace Base
{
/// A copy of a fixed group of items as interface pointers, slot `i` of the copy holding slot `i` of
/// `items` (empty slots stay empty). For the const getters that hand a view model's item groups to the
/// GUI. Never throws. Not synchronised: the owner fills its groups before it publishes itself.
template <class Interface, class Concrete, std::size_t N>
std::array<std::shared_ptr<Interface>, N> CopyAsInterfaces(std::array<std::shared_ptr<Concrete>, N> const& items) noexcept
{
    std::array<std::shared_ptr<Interface>, N> copy;
    for (std::size_t i = 0; i < N; ++i)
        copy[i] = items[i];
    return copy;
}

/// The first element of a snapshot of `array` for which `matches(element)` is true, or a
/// value-initialised `T` (an empty pointer) when none is. The snapshot is one locked copy, so another
/// thread editing the array meanwhile does not disturb the walk. Throws what `matches` and the copy
/// throw.
template <class T, class Predicate>
T FindFirst(Binding::IArrayBindingSource<T> const& array, Predicate matches)
{
    for (auto& element : array.GetValues())
    {
        if (matches(element))
            return element;
    }
    return T{};
}
} // namespace Base
