#pragma once
#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/internal/cdisconnectonscopeexit.h"
#include "base/orx2basepool/internal/tstoringarraybindingsourceimplbase.h"
#include "base/orx2basepool/internal/ttemporaryarraybindingsourceimplbase.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace Base::Binding
{
/// An array source that stands for whichever source it is bound to. Others connect to the proxy once and
/// keep their connection while its owner rebinds it.
///
/// The proxy keeps a copy of the bound source's array, updated by each notification it forwards, and
/// answers reads from that copy: reads therefore always agree with the notifications the proxy's
/// observers have received, also while a change of the bound source is on its way to the proxy on
/// another thread. An unbound proxy reads as empty.
///
/// Lock order. A notification of the bound source arrives under that source's reader lock and takes the
/// proxy's target lock as writer (bound source, then proxy, then the proxy's observers). `Bind` holds the
/// proxy's writer lock while it connects, which takes the new source's reader lock: the reverse order,
/// but only for a reader lock, and a source never waits for anything while it holds its writer lock
/// (it copies, takes its stream's snapshot and turns the writer lock into a reader lock before any
/// handler runs). Readers never wait for a waiting writer, so `Bind` always gets in, finishes, and then
/// the waiting notification proceeds; a notification of a source that is no longer bound is dropped.
/// Every notification of the proxy is fired after its writer lock has been turned into a reader lock,
/// so the proxy's observers may read the proxy. Connections are dropped after the lock is released,
/// as dropping one may destroy a temporary source.
/// Must not be bound, or destroyed, from inside a handler of its own notifications, nor bound to itself
/// or to a chain of proxies that leads back to it.
template <class T>
class TArrayBindingSourceProxy final
    : public Internal::TStoringArrayBindingSourceImplBase<
          T,
          Internal::TArrayBindingSourceImplBase<T, IArrayBindingSource<T>, Internal::CBindingTargetLocking>>
{
public:
    using Notification = ArrayChangedNotification<T>; ///< What a handler receives: exactly what changed.

    /// Unbound: reads as empty.
    TArrayBindingSourceProxy() = default;

    /// Marks the proxy destroyed (waiting for a notification being forwarded), fires `removalKind` 3 to
    /// its observers and leaves the bound source. Reads made by those observers' handlers throw.
    ~TArrayBindingSourceProxy() override
    {
        std::unique_lock<CSharedMutex> writer(this->GetArrayMutex());
        this->GetTargetLock()->destroyed = true;
        Internal::CDisconnectOnScopeExit const left(m_connection.Release());
        m_sourceIdentity = nullptr;
        ++m_binding;
        this->EndSourceLocked(writer);
    }

    /// Binds the proxy to `source`. Nothing happens when it is bound to `source` already. Otherwise the
    /// proxy first leaves the source it is bound to, if any, and tells its observers that all elements
    /// are gone (`removalKind` 1); then it connects to `source` with `ConnectToArrayChangeStreamAndNotify`
    /// and tells its observers the whole new array as inserted, before returning. Later changes of
    /// `source` are forwarded as they are; when `source` announces its end, the proxy leaves it, tells
    /// `removalKind` 1 and reads as empty until it is bound again.
    /// `source` must outlive the binding or announce its end. Thread-safe; concurrent binds end with one
    /// of the sources bound. Throws the target-lock exception once the proxy's destruction has begun, and
    /// what connecting to `source` throws (the proxy is then unbound).
    void Bind(IArrayBindingSource<T> const& source)
    {
        for (;;)
        {
            std::unique_lock<CSharedMutex> writer = this->LockArrayForWriting();
            if (m_sourceIdentity == IdentityOf(source))
                return;
            if (m_sourceIdentity == nullptr)
            {
                BindLocked(source, writer);
                return;
            }
            // Releases the lock; another bind may get in before the next round.
            DropBindingLocked(writer);
        }
    }

private:
    /// The handler connected to the bound source. Its first call is the initial notification, made
    /// inside `Bind` on the binding thread, which already holds the proxy's writer lock.
    class BindingCallback final : public IEventSignalHandler<Notification const&>
    {
    public:
        BindingCallback(TArrayBindingSourceProxy& proxy, std::uint64_t binding)
            : m_proxy(proxy), m_targetLock(proxy.GetTargetLock()), m_binding(binding)
        {
        }

        using IEventSignalHandler<Notification const&>::Invoke;
        void Invoke(Notification const& notification) override
        {
            if (m_awaitingInitial.exchange(false))
            {
                ApplyArrayChangedNotification(m_proxy.ValuesLocked(), notification);
                return;
            }
            std::unique_lock<CSharedMutex> writer =
                Internal::CBindingTargetLocking::LockIfAlive(*m_targetLock);
            if (writer.owns_lock())
                m_proxy.ForwardLocked(m_binding, notification, writer);
        }

    private:
        TArrayBindingSourceProxy& m_proxy;
        // Keeps the lock alive for a notification that arrives while the proxy is being destroyed.
        std::shared_ptr<Internal::CBindingTargetLocking::DestructionProtectedLocking> const m_targetLock;
        std::uint64_t const m_binding;
        std::atomic<bool> m_awaitingInitial{true};
    };

    /// What makes two sources the same. The handle of a temporary source is often a temporary itself, whose
    /// address the next one reuses; what stays bound is its shared implementation.
    static void const* IdentityOf(IArrayBindingSource<T> const& source)
    {
        if (auto const* temporary =
                dynamic_cast<Internal::TTemporaryArrayBindingSourceImplBase<T> const*>(&source))
            return temporary->GetSourceIdentity();
        return &source;
    }

    void BindLocked(IArrayBindingSource<T> const& source, std::unique_lock<CSharedMutex>& writer)
    {
        ++m_binding;
        m_sourceIdentity = IdentityOf(source);
        try
        {
            m_connection = source.ConnectToArrayChangeStreamAndNotify(
                std::make_unique<BindingCallback>(*this, m_binding));
        }
        catch (...)
        {
            m_sourceIdentity = nullptr;
            this->ValuesLocked().clear();
            throw;
        }
        this->FireLocked(this->DescribeAsInserted(this->ValuesLocked()), writer);
    }

    /// Forwards a notification of binding `binding`, if that is still the current one.
    void ForwardLocked(std::uint64_t binding, Notification const& notification,
                       std::unique_lock<CSharedMutex>& writer)
    {
        if (binding != m_binding)
            return;
        if (notification.removalKind == EArrayRemovalKind::SourceDestroyed)
        {
            DropBindingLocked(writer);
            return;
        }
        std::vector<T> leaving; // replaced and removed elements die after the lock is released
        try
        {
            ApplyArrayChangedNotification(this->ValuesLocked(), notification, &leaving);
        }
        catch (...)
        {
            // The copy no longer follows the source: better read as unbound than wrong.
            DropBindingLocked(writer);
            throw;
        }
        this->FireLocked(notification, writer);
    }

    /// Leaves the bound source, empties the copy and fires `removalKind` 1; releases the lock, then
    /// disconnects (without waiting: this may run inside the bound source's own notification).
    void DropBindingLocked(std::unique_lock<CSharedMutex>& writer)
    {
        Internal::CDisconnectOnScopeExit const left(m_connection.Release());
        m_sourceIdentity = nullptr;
        ++m_binding;
        std::vector<T> leaving; // dies after the lock is released
        leaving.swap(this->ValuesLocked());
        Notification cleared;
        cleared.removalKind = EArrayRemovalKind::All;
        this->FireLocked(cleared, writer);
    }

    // All guarded by the target lock.
    void const* m_sourceIdentity = nullptr; // the bound source, never read through; null when unbound
    std::uint64_t m_binding = 0;            // counts bindings; stale notifications carry an old one
    CScopedEventSignalConnection m_connection;
};
} // namespace Base::Binding
