#pragma once
#include "base/orx2basepool/internal/valueobserverimpl.h"

namespace Base::Binding
{
/// Calls `callback(T const&)` with the current value at once (inside the constructor, on this thread)
/// and with every later value; ignores notifications without a value. With two types, the source is a
/// multi-value source and the callback receives `(A const&, B const&)`.
/// Callbacks of one observer never overlap. After the destructor returns the callback is not running
/// and never runs again. A callback that destroys its own observer ends the binding at once and completes
/// as it returns (without touching what it captured: that went with the observer).
template <class... T>
class TValueChangedObserver : public CObserver
{
public:
    TValueChangedObserver() = default;
    /// Binds `callback` to `source`: called first with the current value, then with each later one.
    template <class Callable>
    TValueChangedObserver(IValueBindingSource<T...> const& source, Callable&& callback)
        : CObserver(Internal::MakeBoundObserverImpl<IValueBindingSource<T...>, Internal::ChangedValueKind>(
              source, std::forward<Callable>(callback)))
    {
    }
};
} // namespace Base::Binding
