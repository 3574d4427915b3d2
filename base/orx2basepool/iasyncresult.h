#pragma once
#include "base/orx2basepool/iasyncresultcallback.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

namespace Base
{
template <class... T> class IAsyncResult;

/// The outcome of an operation that may complete later; this one carries no value. It goes from
/// incomplete to complete once and never back. Shared through std::shared_ptr; thread-safe.
template <> class IAsyncResult<> : public INonCopyable
{
public:
    /// An IAsyncResultCallback<> that calls a callable taking no arguments.
    template <class Callable> class ResultCallbackImpl final : public IAsyncResultCallback<>
    {
    public:
        /// Calls `callable` on Invoke.
        explicit ResultCallbackImpl(Callable callable) : m_callable(std::move(callable)) {}
        void Invoke() override { m_callable(); }

    private:
        Callable m_callable;
    };

    virtual ~IAsyncResult() = default;

    /// Blocks the calling thread until the result is complete; returns at once when it already is.
    /// Waits without a time-out.
    virtual void Wait() = 0;

    /// Has `callback` invoked once when the result completes. On a complete result the callback runs
    /// before AddCallback returns, on this thread and under the result's lock: it must not register
    /// further callbacks on the same result. Otherwise it runs on the completing thread, after all
    /// callbacks registered before it. `context` tells the kind of caller; it does not change the
    /// behaviour. Exceptions from an immediate Invoke propagate (the callback is destroyed anyway).
    virtual void AddCallback(std::unique_ptr<IAsyncResultCallback<>> callback, std::uint32_t context) = 0;
};

/// Wraps `callable` (no arguments) into a callback for IAsyncResult<>::AddCallback. Allocates once.
template <class Callable> std::unique_ptr<IAsyncResultCallback<>> MakeResultCallback(Callable&& callable)
{
    using Callback = IAsyncResult<>::ResultCallbackImpl<std::decay_t<Callable>>;
    return std::make_unique<Callback>(std::forward<Callable>(callable));
}
} // namespace Base
