#include "base/orx2basepool/cownerguard.h"

#include <algorithm>
#include <vector>

namespace Base
{
namespace
{
// The guards this thread is inside of, one entry per admitted call (calls nest). Close() does not wait
// for these: they belong to the closing thread and could never end while it waits. Every bound call
// adds and removes an entry, so the common depths live in a trivial array in the static TLS block; a
// deeper nesting spills into a vector made on first use.
constexpr unsigned kInlineEntries = 32;
struct SEntered
{
    COwnerGuardState const* items[kInlineEntries];
    unsigned count;
};
thread_local SEntered t_entered __attribute__((tls_model("initial-exec"))) = {{}, 0};

std::vector<COwnerGuardState const*>& Spilled()
{
    thread_local std::vector<COwnerGuardState const*> spilled;
    return spilled;
}

void PushEntered(COwnerGuardState const* state)
{
    if (t_entered.count < kInlineEntries)
        t_entered.items[t_entered.count] = state;
    else
        Spilled().push_back(state); // may throw std::bad_alloc before anything is counted
    ++t_entered.count;
}

void PopEntered(COwnerGuardState const* state) noexcept
{
    // The newest entry of this state is the call that ends now; calls end in the reverse order of
    // their start on one thread, so it is the last entry but for exceptions unwinding in between.
    unsigned const count = t_entered.count;
    if (count > kInlineEntries)
    {
        auto& spilled = Spilled();
        auto const entry = std::find(spilled.rbegin(), spilled.rend(), state);
        if (entry != spilled.rend())
        {
            spilled.erase(std::next(entry).base());
            --t_entered.count;
            return;
        }
    }
    for (unsigned i = std::min(count, kInlineEntries); i-- > 0;)
    {
        if (t_entered.items[i] != state)
            continue;
        std::copy(t_entered.items + i + 1, t_entered.items + std::min(count, kInlineEntries),
                  t_entered.items + i);
        if (count > kInlineEntries)
        {
            // The oldest spilled entry moves down into the array.
            auto& spilled = Spilled();
            t_entered.items[kInlineEntries - 1] = spilled.front();
            spilled.erase(spilled.begin());
        }
        --t_entered.count;
        return;
    }
}

std::uint64_t CallsOfThisThread(COwnerGuardState const* state)
{
    unsigned const count = t_entered.count;
    std::uint64_t calls = static_cast<std::uint64_t>(
        std::count(t_entered.items, t_entered.items + std::min(count, kInlineEntries), state));
    if (count > kInlineEntries)
        calls += static_cast<std::uint64_t>(std::count(Spilled().begin(), Spilled().end(), state));
    return calls;
}
} // namespace

bool COwnerGuardState::Enter(std::shared_ptr<void const>& hold)
{
    PushEntered(this);
    std::uint64_t const word = m_word.fetch_add(kCallUnit, std::memory_order_acq_rel);
    if ((word & kPhaseMask) == kOpen)
    {
        if (!m_holdsOwner.load(std::memory_order_acquire))
            return true;
        hold = m_owner.lock(); // an expired owner is being destroyed: the call must not reach it
        if (hold)
            return true;
    }
    LeaveCounted();
    PopEntered(this);
    return false;
}

void COwnerGuardState::HoldOwner(std::weak_ptr<void const> owner) noexcept
{
    bool unset = false;
    if (!m_ownerSet.compare_exchange_strong(unset, true, std::memory_order_acq_rel))
        return;
    m_owner = std::move(owner);
    m_holdsOwner.store(true, std::memory_order_release);
}

void COwnerGuardState::Leave() noexcept
{
    PopEntered(this);
    LeaveCounted();
}

void COwnerGuardState::LeaveCounted() noexcept
{
    std::uint64_t const word = m_word.fetch_sub(kCallUnit, std::memory_order_acq_rel);
    if ((word & kWaiting) == 0)
        return;
    // Taking the mutex orders this wake-up after the closing thread's look at the count.
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_left.notify_all();
}

void COwnerGuardState::Open() noexcept
{
    std::uint64_t word = m_word.load(std::memory_order_relaxed);
    while ((word & kPhaseMask) == kConstructing &&
           !m_word.compare_exchange_weak(word, (word & ~kPhaseMask) | kOpen, std::memory_order_acq_rel))
    {
    }
}

void COwnerGuardState::Close() noexcept
{
    std::uint64_t const own = CallsOfThisThread(this);
    std::unique_lock<std::mutex> lock(m_mutex);
    std::uint64_t word = m_word.load(std::memory_order_relaxed);
    while (!m_word.compare_exchange_weak(word, (word & ~kPhaseMask) | kClosed | kWaiting,
                                         std::memory_order_acq_rel))
    {
    }
    m_left.wait(lock, [this, own] { return Running() <= own; });
}
} // namespace Base
