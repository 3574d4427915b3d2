#pragma once
#include "base/orx2basepool/inoncopyable.h"
#include "host/orx2hostexport.h"

#include <memory>

namespace Base::Binding
{
namespace Internal
{
/// The work of an observer; destroying it ends its binding (and waits for a running callback).
class IObserverImpl
{
public:
    virtual ~IObserverImpl() = default;
};
} // namespace Internal

/// Base of every observer: a movable handle that owns one implementation object.
/// Destroying, resetting or move-assigning over the handle destroys the implementation, so once that
/// returns the old callback is not running and will not run again.
/// Thread-safety: one handle is used by one thread at a time (like any object); the callbacks it
/// receives may come from any thread.
class ORX2_HOST_EXPORT CObserver : public INonCopyable
{
public:
    /// Unbound.
    CObserver() noexcept;
    /// Takes over `other`'s binding; `other` becomes unbound.
    CObserver(CObserver&& other) noexcept;
    /// Ends this observer's binding first, then takes over `other`'s.
    CObserver& operator=(CObserver&& other) noexcept;
    virtual ~CObserver();

    /// Ends the binding without starting another.
    void Reset();
    /// True while bound.
    bool IsBound() const noexcept { return m_impl != nullptr; }

protected:
    /// Bound to `impl` (unbound when it is null).
    explicit CObserver(std::unique_ptr<Internal::IObserverImpl> impl) noexcept;
    /// The binding, or null while unbound.
    Internal::IObserverImpl* GetImpl() const noexcept { return m_impl.get(); }

private:
    std::unique_ptr<Internal::IObserverImpl> m_impl;
};
} // namespace Base::Binding
