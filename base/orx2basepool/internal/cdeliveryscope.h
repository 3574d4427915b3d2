#pragma once
// Where a thread is inside a delivery, and what it releases once it has left the outermost one.
#include "host/orx2hostexport.h"

#include <memory>

namespace Base
{
/// Marks the calling thread as delivering (a source's notification, an observer's callback, a command's
/// action) for the lifetime of the object. Scopes nest; when the outermost scope of a thread ends, the
/// holds handed to ReleaseAfterDelivery during it are released, and with them possibly the last
/// reference to a model. That is how a model never dies inside a delivery to it: its bound calls hold
/// it (COwnerGuard::HoldOwner), and a hold that turns out to be the last is released here, after the
/// notifying source has released its locks, instead of inside the call.
///
/// Sources open a scope before they take the lock they deliver under, so that the lock is released
/// before the scope ends. Thread-safety: the state is per thread. The state lives in ORX2_Host so that
/// every library of the process shares one per thread; for that reason it is exported, and lies outside
/// namespace Internal, whose names no library exports.
class ORX2_HOST_EXPORT CDeliveryScope
{
public:
    CDeliveryScope() noexcept;
    /// Ends the scope; the outermost one releases the deferred holds, on this thread (their destructors
    /// run here and may deliver again). Never throws.
    ~CDeliveryScope();
    CDeliveryScope(CDeliveryScope const&) = delete;
    CDeliveryScope& operator=(CDeliveryScope const&) = delete;

    /// True while the calling thread is inside at least one scope.
    static bool IsDelivering() noexcept;

    /// Releases `hold` at once when the calling thread is not delivering, otherwise when its outermost
    /// scope ends. Never throws (without memory to defer, it releases at once).
    static void ReleaseAfterDelivery(std::shared_ptr<void const> hold) noexcept;
};
} // namespace Base
