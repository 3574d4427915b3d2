#pragma once
#include "base/orx2basepool/internal/arrayobserverimpl.h"

#include <memory>
#include <utility>

namespace Base::Binding
{
/// The movable handle of every array observer, and the type that models declare as a member:
///
///     TArrayObserver<int> m_itemsObserver;
///     m_itemsObserver = MakeFullArrayObserver(other.GetItems(), [this](std::vector<int> const& items) {…});
///
/// `TArrayChangeObserver<T, F>` and `TFullArrayObserver<T, F>` add nothing but their constructor, so they
/// move into a `TArrayObserver<T>` without loss. Assigning over a bound observer, `Reset()` and the
/// destructor end the binding first: once they return the old callback is not running and never runs
/// again. A callback may destroy or reassign its own observer: that ends the binding at once, and the
/// callback completes as it returns (without touching what it captured: that went with the observer).
/// One handle is used by one thread at a time; callbacks arrive on the thread that changed the source.
template <class T> class TArrayObserver : public CObserver
{
public:
    /// Unbound.
    TArrayObserver() noexcept = default;

protected:
    /// Takes over a bound observer implementation.
    explicit TArrayObserver(std::unique_ptr<Internal::IArrayObserverImpl<T>> impl) noexcept
        : CObserver(std::move(impl))
    {
    }
};
} // namespace Base::Binding
