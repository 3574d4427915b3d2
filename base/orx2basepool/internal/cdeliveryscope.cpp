#include "base/orx2basepool/internal/cdeliveryscope.h"

#include <utility>
#include <vector>

namespace Base
{
namespace
{
using Holds = std::vector<std::shared_ptr<void const>>;

// Every delivery opens and closes a scope, so the per-thread state it touches is kept trivial (no
// construction guard, no exit registration) and in the static TLS block (a fixed offset from the thread
// pointer instead of a lookup call; a library loaded later with dlopen takes these few bytes from the
// reserve glibc keeps for that). The list of deferred holds is separate and built only on first use.
struct SThreadDeliveries
{
    int depth;
    bool hasDeferred;
};

thread_local SThreadDeliveries t_deliveries __attribute__((tls_model("initial-exec"))) = {0, false};

Holds& DeferredHolds()
{
    thread_local Holds deferred;
    return deferred;
}
} // namespace

CDeliveryScope::CDeliveryScope() noexcept
{
    ++t_deliveries.depth;
}

CDeliveryScope::~CDeliveryScope()
{
    if (--t_deliveries.depth != 0 || !t_deliveries.hasDeferred)
        return;
    // A released hold may destroy a model whose destructor delivers again and defers holds of its own;
    // its nested outermost scope releases those, and whatever is added meanwhile is taken next round.
    Holds& deferred = DeferredHolds();
    while (!deferred.empty())
    {
        Holds batch;
        batch.swap(deferred);
        batch.clear();
    }
    t_deliveries.hasDeferred = false;
}

bool CDeliveryScope::IsDelivering() noexcept
{
    return t_deliveries.depth != 0;
}

void CDeliveryScope::ReleaseAfterDelivery(std::shared_ptr<void const> hold) noexcept
{
    if (!hold || t_deliveries.depth == 0)
        return; // `hold` goes here
    try
    {
        DeferredHolds().push_back(std::move(hold));
        t_deliveries.hasDeferred = true;
    }
    catch (...)
    {
        // Without memory to keep it, the hold goes now, as it would have without deliveries.
    }
}
} // namespace Base
