#pragma once
#include "base/orx2basepool/tarrayobserver.h"

#include <type_traits>
#include <utility>

namespace Base::Binding
{
/// Calls `callback(ArrayChangedNotification<T> const&)` once at binding (inside the constructor, on this
/// thread) with the whole current array as inserted, then with every change of `source`, including its
/// last notification (`removalKind` 3) when the source is destroyed. Calls never overlap; they run while
/// the source holds its reader lock, so the callback may read the source but must not edit it.
/// `source` must outlive the binding or announce its end. Throws what the first call throws.
template <class T, class Callable> class TArrayChangeObserver : public TArrayObserver<T>
{
public:
    TArrayChangeObserver() noexcept = default;
    /// Binds `callback` to the changes of `source` from now on (see the class comment).
    TArrayChangeObserver(IArrayBindingSource<T> const& source, Callable callback)
        : TArrayObserver<T>(Internal::MakeBoundArrayObserverImpl<T>(source, std::move(callback)))
    {
    }
};

/// Deduces `T` from the source and the callback type: `member = MakeArrayChangeObserver(source, lambda)`.
template <class T, class Callable>
TArrayChangeObserver<T, std::decay_t<Callable>> MakeArrayChangeObserver(IArrayBindingSource<T> const& source,
                                                                        Callable&& callback)
{
    return TArrayChangeObserver<T, std::decay_t<Callable>>(source, std::forward<Callable>(callback));
}
} // namespace Base::Binding
