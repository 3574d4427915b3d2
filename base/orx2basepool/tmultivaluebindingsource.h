#pragma once
#include "base/orx2basepool/cbindingsourcelocking.h"
#include "base/orx2basepool/internal/sourcedelivery.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "host/acquisitionbase/csignalconnectionkeepalivesharedptrwhileconnected.h"

#include <memory>
#include <tuple>

namespace Base::Binding
{
/// Combines two sources into one source of `std::tuple<A, B>`. It notifies on every value notification
/// of either input (also when the combined value stays the same). The shared implementation stays alive
/// while anyone is connected to it, even after this handle is gone.
/// Thread-safety: as any binding source; inputs may change on any thread.
template <class A, class B>
class TMultiValueBindingSource final : public IValueBindingSource<A, B>
{
public:
    using typename IValueBindingSource<A, B>::ValueType;
    using typename IValueBindingSource<A, B>::Handler;
    using typename IValueBindingSource<A, B>::Notification;

    /// Binds to both inputs; their current values fill the combined value at once.
    TMultiValueBindingSource(IValueBindingSource<A> const& a, IValueBindingSource<B> const& b)
        : m_impl(std::make_shared<Impl>())
    {
        m_impl->Bind(a, b);
    }

    CScopedEventSignalConnection ConnectToValueStream(std::unique_ptr<Handler> handler) const override
    {
        return m_impl->ConnectToValueStream(std::move(handler));
    }
    ValueType GetValue() const override { return m_impl->GetValue(); }
    std::int32_t GetStatus() const override { return m_impl->GetStatus(); }
    CScopedEventSignalConnection ConnectToValueStreamAndNotify(std::unique_ptr<Handler> handler) const override
    {
        return m_impl->ConnectToValueStreamAndNotify(std::move(handler));
    }
    CSharedLock TryLockForReading() const override { return m_impl->TryLockForReading(); }

private:
    class Impl final : public IValueBindingSource<A, B>,
                       public std::enable_shared_from_this<Impl>,
                       public Internal::CBindingSourceLocking
    {
    public:
        void Bind(IValueBindingSource<A> const& a, IValueBindingSource<B> const& b)
        {
            m_observerA = TValueObserver<A>(a, [this](TValueStreamNotification<A> const& n) {
                if (n.value.HasValue())
                    Store<0>(n.value.value());
            });
            m_observerB = TValueObserver<B>(b, [this](TValueStreamNotification<B> const& n) {
                if (n.value.HasValue())
                    Store<1>(n.value.value());
            });
        }

        CScopedEventSignalConnection ConnectToValueStream(std::unique_ptr<Handler> handler) const override
        {
            return KeepAlive(m_valueStream.Connect(std::move(handler)));
        }

        ValueType GetValue() const override
        {
            CSharedLock const reader(GetSourceMutex());
            return m_value;
        }

        std::int32_t GetStatus() const override
        {
            CSharedLock const reader(GetSourceMutex());
            return m_status;
        }

        CScopedEventSignalConnection ConnectToValueStreamAndNotify(std::unique_ptr<Handler> handler) const override
        {
            Base::CDeliveryScope const delivery;
            CSharedLock const reader(GetSourceMutex());
            CScopedEventSignalConnection connection = Internal::ConnectAndNotify<Notification>(
                m_valueStream, std::move(handler), Notification{m_status, TOptional<ValueType>(m_value)});
            return KeepAlive(connection.Release());
        }

        CSharedLock TryLockForReading() const override { return CSharedLock(GetSourceMutex(), std::try_to_lock); }

    private:
        template <std::size_t K, class V>
        void Store(V const& value)
        {
            // No self-reference here: whoever drops the last reference destroys the input observers
            // first, and their destruction waits for this delivery to return. Holding one would move
            // the destruction into this callback, where the input observer would wait for itself.
            std::unique_lock<CSharedMutex> writer(GetSourceMutex());
            std::get<K>(m_value) = value;
            Internal::FireWithWriterHandover(m_valueStream, Notification{m_status, TOptional<ValueType>(m_value)},
                                             writer);
        }

        CScopedEventSignalConnection KeepAlive(std::shared_ptr<IEventSignalConnection> connection) const
        {
            if (!connection)
                return CScopedEventSignalConnection();
            return CScopedEventSignalConnection(std::make_shared<CSignalConnectionKeepAliveSharedPtrWhileConnected>(
                std::move(connection), this->shared_from_this()));
        }

        mutable TEventSignal<Notification const&> m_valueStream;
        std::int32_t m_status = kSourceStatusAlive;
        ValueType m_value{};
        TValueObserver<A> m_observerA;
        TValueObserver<B> m_observerB;
    };

    std::shared_ptr<Impl> m_impl;
};
} // namespace Base::Binding
