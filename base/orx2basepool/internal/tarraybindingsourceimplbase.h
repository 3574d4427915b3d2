#pragma once
// The part that every array source shares: its lock, its change stream, the two connect operations and
// the announcement of its end.
#include "base/orx2basepool/cbindingsourcelocking.h"
#include "base/orx2basepool/cbindingtargetlocking.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/internal/sourcedelivery.h"
#include "base/orx2basepool/teventsignal.h"

#include <memory>
#include <mutex>
#include <numeric>
#include <type_traits>
#include <utility>
#include <vector>

namespace Base::Binding::Internal
{
/// Base of the array sources. `Interface` is the array interface implemented (`IArrayBindingSource<T>`
/// or `IArrayProperty<T>`); `Locking` is `CBindingSourceLocking` for sources and `CBindingTargetLocking`
/// for proxies, whose reads and writes throw once the proxy's destruction has begun.
///
/// Every change is made under the writer lock and delivered with `FireLocked`, which turns the writer
/// lock into a reader lock right after the stream's snapshot is taken: handlers may read the source
/// (readers never wait for a waiting writer, so a nested read cannot block), and a concurrent
/// `ConnectToArrayChangeStreamAndNotify` sees either the old array and then the notification, or the
/// new array only.
/// The end of a source is announced once, with a `removalKind` 3 notification: by the derived class's
/// destructor while the whole object still lives, or at the latest by the `DestructionGuard` member.
template <class T, class Interface, class Locking>
class TArrayBindingSourceImplBase : public Interface, public Locking
{
public:
    using Notification = ArrayChangedNotification<T>;
    using Handler = IEventSignalHandlerWithConnection<Notification const&>;

    /// Connects `handler` to later changes only. Thread-safe; does not take the lock.
    CScopedEventSignalConnection ConnectToArrayChangeStream(std::unique_ptr<Handler> handler) const override
    {
        return CScopedEventSignalConnection(m_changeStream.Connect(std::move(handler)));
    }

    /// Under the reader lock: copies the array, connects `handler` and calls it once, on this thread, with
    /// every element as inserted. An exception from that call disconnects again and propagates.
    /// Throws the target-lock exception on a proxy whose destruction has begun.
    CScopedEventSignalConnection
    ConnectToArrayChangeStreamAndNotify(std::unique_ptr<Handler> handler) const override
    {
        Base::CDeliveryScope const delivery;
        CSharedLock const reader = LockArrayForReading();
        return ConnectAndNotify<Notification>(m_changeStream, std::move(handler),
                                              DescribeAsInserted(CopyValuesLocked()));
    }

protected:
    TArrayBindingSourceImplBase() : m_destructionGuard(*this) {}
    ~TArrayBindingSourceImplBase() override = default;

    /// A copy of the whole array; the caller holds the lock.
    virtual std::vector<T> CopyValuesLocked() const = 0;

    /// A notification that lists `values` as inserted at positions 0 … n-1.
    static Notification DescribeAsInserted(std::vector<T> values)
    {
        Notification notification;
        notification.insertedIndices.resize(values.size());
        std::iota(notification.insertedIndices.begin(), notification.insertedIndices.end(), std::size_t{0});
        notification.insertedValues = std::move(values);
        return notification;
    }

    /// Reader lock; on a proxy it throws once the proxy's destruction has begun.
    CSharedLock LockArrayForReading() const
    {
        if constexpr (kIsTarget)
            return this->LockShared();
        else
            return CSharedLock(this->GetSourceMutex());
    }

    /// Reader lock only if it is free at once (the result may own nothing); never blocks. On a proxy it
    /// throws once the proxy's destruction has begun.
    CSharedLock TryLockArrayForReading() const
    {
        if constexpr (kIsTarget)
            return this->TryLockShared();
        else
            return CSharedLock(this->GetSourceMutex(), std::try_to_lock);
    }

    /// Writer lock; on a proxy it throws once the proxy's destruction has begun.
    std::unique_lock<CSharedMutex> LockArrayForWriting() const
    {
        if constexpr (kIsTarget)
            return this->Lock();
        else
            return std::unique_lock<CSharedMutex>(this->GetSourceMutex());
    }

    /// The mutex itself, for destruction, which must not throw.
    CSharedMutex& GetArrayMutex() const noexcept
    {
        if constexpr (kIsTarget)
            return this->GetTargetLock()->mutex;
        else
            return this->GetSourceMutex();
    }

    /// Fires `notification` with the writer-to-reader handover; `writer` holds the writer lock and is
    /// released when this returns, also by an exception from a handler.
    void FireLocked(Notification const& notification, std::unique_lock<CSharedMutex>& writer)
    {
        FireWithWriterHandover(m_changeStream, notification, writer);
    }

    /// Fires `removalKind` 3 the first time it is called; releases `writer` in any case. No notification
    /// follows it.
    void FireEndOfSourceLocked(std::unique_lock<CSharedMutex>& writer)
    {
        if (m_ended)
        {
            writer.unlock();
            return;
        }
        m_ended = true;
        Notification end;
        end.removalKind = EArrayRemovalKind::SourceDestroyed;
        FireLocked(end, writer);
    }

    bool HasEndedLocked() const noexcept { return m_ended; }

private:
    static constexpr bool kIsTarget = std::is_base_of_v<CBindingTargetLocking, Locking>;

    /// Announces the end of a source whose derived class did not do it itself. It is the last member,
    /// so it is destroyed before the stream and the lock.
    class DestructionGuard
    {
    public:
        explicit DestructionGuard(TArrayBindingSourceImplBase& source) noexcept : m_source(source) {}
        DestructionGuard(DestructionGuard const&) = delete;
        DestructionGuard& operator=(DestructionGuard const&) = delete;
        ~DestructionGuard()
        {
            std::unique_lock<CSharedMutex> writer(m_source.GetArrayMutex());
            m_source.FireEndOfSourceLocked(writer);
        }

    private:
        TArrayBindingSourceImplBase& m_source;
    };

    mutable TEventSignal<Notification const&> m_changeStream;
    bool m_ended = false; // guarded by the lock
    DestructionGuard m_destructionGuard;
};
} // namespace Base::Binding::Internal
