#pragma once
#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/internal/cmanualresetevent.h"
#include "base/orx2basepool/csourcefile.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Base
{
template <class... T> class CAsyncPromise;

/// The completing side of an IAsyncResult<>: makes a new incomplete result, hands it out once through
/// GetResult and completes it through Set (on the promise or on the implementation a completer keeps
/// from GetImpl). The promise itself is not thread-safe; the result it makes is.
template <> class CAsyncPromise<> : public INonCopyable
{
    static constexpr CSourceFile kSource{"base/orx2basepool/casyncpromise"};

public:
    /// The result object: completes once, wakes waiters and runs its callbacks.
    class AsyncResultImpl final : public IAsyncResult<>
    {
    public:
        AsyncResultImpl() = default;
        ~AsyncResultImpl() override = default;

        /// See IAsyncResult<>::Wait.
        void Wait() override { completed.Wait(); }

        /// See IAsyncResult<>::AddCallback; `context` is ignored.
        void AddCallback(std::unique_ptr<IAsyncResultCallback<>> callback, std::uint32_t context) override
        {
            std::lock_guard<std::mutex> const lock(mutex);
            if (isSet)
            {
                std::unique_ptr<IAsyncResultCallback<>> const now = std::move(callback);
                now->Invoke();
                return;
            }
            callbacks.emplace_back(std::move(callback), context);
        }

        /// Completes the result: wakes every Wait, then invokes the callbacks registered so far in the
        /// order of registration, on this thread and outside the lock, and destroys them. An exception
        /// from a callback leaves Set; the later callbacks are then destroyed without being invoked, the
        /// result stays complete. Throws OrxException when the result is already complete.
        void Set()
        {
            std::vector<std::pair<std::unique_ptr<IAsyncResultCallback<>>, std::uint32_t>> pending;
            {
                std::lock_guard<std::mutex> const lock(mutex);
                if (isSet)
                    kSource.Throw(__LINE__, "Base::CAsyncPromise<>::AsyncResultImpl::Set",
                                  L"Value must only be set once");
                isSet = true;
                pending = std::move(callbacks);
            }
            completed.Set();
            for (auto& entry : pending)
                entry.first->Invoke();
        }

    private:
        std::mutex mutex;
        bool isSet = false;
        std::vector<std::pair<std::unique_ptr<IAsyncResultCallback<>>, std::uint32_t>> callbacks;
        Internal::CManualResetEvent completed;
    };

    /// A promise with a new incomplete result (one allocation).
    CAsyncPromise() : impl(std::make_shared<AsyncResultImpl>()), result(impl) {}
    ~CAsyncPromise() = default;

    /// Hands out the result; allowed once. Throws OrxException on a second call.
    std::shared_ptr<IAsyncResult<>> GetResult()
    {
        if (!result)
            kSource.Throw(__LINE__, "Base::CAsyncPromise<>::GetResult", L"Can get result only once");
        return std::move(result);
    }

    /// The result's implementation, for a completer that outlives the promise. Never null.
    std::shared_ptr<AsyncResultImpl> const& GetImpl() const noexcept { return impl; }

    /// Completes the result; see AsyncResultImpl::Set.
    void Set() { impl->Set(); }

private:
    std::shared_ptr<AsyncResultImpl> impl;
    std::shared_ptr<IAsyncResult<>> result;
};
} // namespace Base
