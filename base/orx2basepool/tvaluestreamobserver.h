#pragma once
#include "base/orx2basepool/internal/valueobserverimpl.h"

namespace Base::Binding
{
/// Calls `callback(T const&)` with every later value of a value stream; delivers nothing at binding and
/// ignores notifications without a value. The source must outlive the binding (or the observer is
/// destroyed first). After the destructor returns the callback is not running and never runs again.
template <class T>
class TValueStreamObserver : public CObserver
{
public:
    TValueStreamObserver() = default;
    /// Binds `callback` to the value stream of `source` from now on.
    template <class Callable>
    TValueStreamObserver(IValueStreamSource<T> const& source, Callable&& callback)
        : CObserver(Internal::MakeBoundObserverImpl<IValueStreamSource<T>, Internal::StreamValueKind>(
              source, std::forward<Callable>(callback)))
    {
    }
};
} // namespace Base::Binding
