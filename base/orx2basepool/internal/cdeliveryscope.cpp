#include "base/orx2basepool/internal/cdeliveryscope.h"

#include <utility>
#include <vector>

namespace Base
{
namespace
{
struct SThreadDeliveries
{
    int depth = 0;
    std::vector<std::shared_ptr<void const>> deferred;
};

thread_local SThreadDeliveries t_deliveries;
} // namespace

CDeliveryScope::CDeliveryScope() noexcept
{
    ++t_deliveries.depth;
}

CDeliveryScope::~CDeliveryScope()
{
    if (--t_deliveries.depth != 0)
        return;
    // A released hold may destroy a model whose destructor delivers again and defers holds of its own;
    // its nested outermost scope releases those, and whatever is added meanwhile is taken next round.
    while (!t_deliveries.deferred.empty())
    {
        std::vector<std::shared_ptr<void const>> batch;
        batch.swap(t_deliveries.deferred);
        batch.clear();
    }
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
        t_deliveries.deferred.push_back(std::move(hold));
    }
    catch (...)
    {
        // Without memory to keep it, the hold goes now, as it would have without deliveries.
    }
}
} // namespace Base
