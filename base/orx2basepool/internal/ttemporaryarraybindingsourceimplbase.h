#pragma once
// Array sources that live only as long as someone listens to them.
#include "base/orx2basepool/internal/tstoringarraybindingsourceimplbase.h"
#include "host/acquisitionbase/csignalconnectionkeepalivesharedptrwhileconnected.h"

#include <memory>
#include <utility>

namespace Base::Binding::Internal
{
/// The handle of a temporary array source. The source itself, a `BindingSourceImplBase`, is owned by
/// shared pointers: by this handle and by every connection made to it, so it stays alive while anyone
/// is connected, even after the handle is gone (`proxy.Bind(MakeTransformArrayBindingSource(…))`).
/// The handle forwards every operation to it. Thread-safety: as any array source.
template <class T, class Locking = CBindingSourceLocking>
class TTemporaryArrayBindingSourceImplBase : public IArrayBindingSource<T>
{
public:
    using Handler = IEventSignalHandlerWithConnection<ArrayChangedNotification<T> const&>;

    /// A storing array source whose connections keep it alive until they are disconnected.
    class BindingSourceImplBase : public TStoringArrayBindingSourceImplBase<
                                      T, TArrayBindingSourceImplBase<T, IArrayBindingSource<T>, Locking>>,
                                  public std::enable_shared_from_this<BindingSourceImplBase>
    {
        using Storing = TStoringArrayBindingSourceImplBase<
            T, TArrayBindingSourceImplBase<T, IArrayBindingSource<T>, Locking>>;

    public:
        CScopedEventSignalConnection
        ConnectToArrayChangeStream(std::unique_ptr<Handler> handler) const override
        {
            return KeepAlive(Storing::ConnectToArrayChangeStream(std::move(handler)));
        }

        CScopedEventSignalConnection
        ConnectToArrayChangeStreamAndNotify(std::unique_ptr<Handler> handler) const override
        {
            return KeepAlive(Storing::ConnectToArrayChangeStreamAndNotify(std::move(handler)));
        }

    protected:
        BindingSourceImplBase() = default;
        ~BindingSourceImplBase() override = default;

    private:
        CScopedEventSignalConnection KeepAlive(CScopedEventSignalConnection connection) const
        {
            std::shared_ptr<IEventSignalConnection> plain = connection.Release();
            if (!plain)
                return CScopedEventSignalConnection();
            return CScopedEventSignalConnection(
                std::make_shared<CSignalConnectionKeepAliveSharedPtrWhileConnected>(
                    std::move(plain), this->shared_from_this()));
        }
    };

    CScopedEventSignalConnection ConnectToArrayChangeStream(std::unique_ptr<Handler> handler) const override
    {
        return m_impl->ConnectToArrayChangeStream(std::move(handler));
    }
    std::vector<T> GetValues() const override { return m_impl->GetValues(); }
    TOptional<std::vector<T>> TryGetValues() const override { return m_impl->TryGetValues(); }
    std::size_t GetSize() const override { return m_impl->GetSize(); }
    TOptional<std::size_t> TryGetSize() const override { return m_impl->TryGetSize(); }
    TOptional<T> GetAt(std::size_t index) const override { return m_impl->GetAt(index); }
    TOptional<T> TryGetAt(std::size_t index) const override { return m_impl->TryGetAt(index); }
    CScopedEventSignalConnection
    ConnectToArrayChangeStreamAndNotify(std::unique_ptr<Handler> handler) const override
    {
        return m_impl->ConnectToArrayChangeStreamAndNotify(std::move(handler));
    }

    /// The shared implementation that connections keep alive: two handles are the same source when
    /// this is the same.
    void const* GetSourceIdentity() const noexcept { return m_impl.get(); }

protected:
    explicit TTemporaryArrayBindingSourceImplBase(std::shared_ptr<BindingSourceImplBase> impl) noexcept
        : m_impl(std::move(impl))
    {
    }
    ~TTemporaryArrayBindingSourceImplBase() override = default;

private:
    std::shared_ptr<BindingSourceImplBase> const m_impl;
};
} // namespace Base::Binding::Internal
