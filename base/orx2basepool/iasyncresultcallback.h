#pragma once
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
template <class... T> class IAsyncResultCallback;

/// Called once when an asynchronous result without a value completes (see IAsyncResult<>::AddCallback).
template <> class IAsyncResultCallback<> : public INonCopyable
{
public:
    virtual ~IAsyncResultCallback() = default;

    /// Runs the callback's work. Called at most once, on the completing thread or, for a result that
    /// is already complete, on the thread that registers the callback. An exception leaves through
    /// whatever call completed the result or registered the callback.
    virtual void Invoke() = 0;
};
} // namespace Base
