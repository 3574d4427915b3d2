#pragma once
#include "base/orx2basepool/internal/valueobserverimpl.h"

namespace Base::Binding
{
/// Calls `callback(TValueStreamNotification<T> const&)` with the current notification at once and with
/// every later one, including the last one of a source being destroyed (status 2, no value).
template <class... T>
class TValueObserver : public CObserver
{
public:
    TValueObserver() = default;
    /// Binds `callback` to `source`: called first with the current notification, then with each later one.
    template <class Callable>
    TValueObserver(IValueBindingSource<T...> const& source, Callable&& callback)
        : CObserver(Internal::MakeBoundObserverImpl<IValueBindingSource<T...>, Internal::WholeNotificationKind>(
              source, std::forward<Callable>(callback)))
    {
    }
};
} // namespace Base::Binding
