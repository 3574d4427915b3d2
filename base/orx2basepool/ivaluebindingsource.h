#pragma once
#include "base/orx2basepool/csharedmutex.h"
#include "base/orx2basepool/ivaluestreamsource.h"

namespace Base::Binding
{
/// A value stream with a current value.
template <class... T>
class IValueBindingSource : public IValueStreamSource<T...>
{
public:
    using typename IValueStreamSource<T...>::ValueType;
    using typename IValueStreamSource<T...>::Handler;

    /// A copy of the current value, read under the reader lock. Thread-safe.
    virtual ValueType GetValue() const = 0;
    /// The status word: 0 while the source lives, 2 once its destruction has begun.
    virtual std::int32_t GetStatus() const = 0;
    /// Connects like ConnectToValueStream and, before returning, calls `handler` once with the current
    /// value. The reader lock is held from the read through that call, so a change on another thread is
    /// seen either as the old value followed by its notification or as the new value only.
    /// An exception from that first call disconnects and propagates.
    virtual CScopedEventSignalConnection ConnectToValueStreamAndNotify(std::unique_ptr<Handler> handler) const = 0;
    /// A reader lock on the source, owned only if it was free at once. Never blocks.
    virtual CSharedLock TryLockForReading() const = 0;
};
} // namespace Base::Binding
