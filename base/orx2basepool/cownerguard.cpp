#include "base/orx2basepool/cownerguard.h"

#include <algorithm>
#include <vector>

namespace Base
{
namespace
{
// The guards this thread is inside of, one entry per admitted call (calls nest). Close() does not wait
// for these: they belong to the closing thread and could never end while it waits.
thread_local std::vector<COwnerGuardState const*> t_entered;

int CallsOfThisThread(COwnerGuardState const* state)
{
    return static_cast<int>(std::count(t_entered.begin(), t_entered.end(), state));
}
} // namespace

bool COwnerGuardState::Enter(std::shared_ptr<void const>& hold)
{
    t_entered.push_back(this); // may throw std::bad_alloc before anything is counted
    std::lock_guard<std::mutex> const lock(m_mutex);
    if (m_phase == EPhase::Open && m_holdsOwner)
        hold = m_owner.lock(); // an expired owner is being destroyed: the call must not reach it
    if (m_phase != EPhase::Open || (m_holdsOwner && !hold))
    {
        t_entered.pop_back();
        return false;
    }
    ++m_running;
    return true;
}

void COwnerGuardState::HoldOwner(std::weak_ptr<void const> owner) noexcept
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_owner = std::move(owner);
    m_holdsOwner = true;
    m_holdsOwnerFlag.store(true, std::memory_order_release);
}

void COwnerGuardState::Leave() noexcept
{
    // The newest entry of this state is the call that ends now.
    auto const entry = std::find(t_entered.rbegin(), t_entered.rend(), this);
    if (entry != t_entered.rend())
        t_entered.erase(std::next(entry).base());
    std::lock_guard<std::mutex> const lock(m_mutex);
    if (--m_running == 0 || m_phase == EPhase::Closed)
        m_left.notify_all();
}

void COwnerGuardState::Open() noexcept
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    if (m_phase == EPhase::Constructing)
        m_phase = EPhase::Open;
}

void COwnerGuardState::Close() noexcept
{
    int const own = CallsOfThisThread(this);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_phase = EPhase::Closed;
    m_left.wait(lock, [this, own] { return m_running <= own; });
}

bool COwnerGuardState::IsOpen() const noexcept
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_phase == EPhase::Open;
}
} // namespace Base
