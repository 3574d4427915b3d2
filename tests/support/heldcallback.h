#pragma once
// One check for "destroying X waits for its running callback", shared by every observer, proxy,
// connection and owner that promises it.
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>

namespace Orx2Test
{
/// A callback body that, once armed, holds its call until the check releases it.
class HeldCallback
{
public:
    /// Call from the callback under test. The first call while armed blocks (bounded) until released.
    void Hold()
    {
        m_calls.fetch_add(1);
        if (!m_armed.exchange(false))
            return;
        m_running = true;
        m_entered.Open();
        m_release.Wait();
        m_running = false;
    }
    int Calls() const { return m_calls.load(); }

    /// Arms the hold, runs `trigger` on a thread of its own (it must reach Hold()), then `destroy` on
    /// another thread. Expects `destroy` not to return while the callback is held, and no callback to be
    /// running once it has returned.
    template <class Trigger, class Destroy> void ExpectDestroyWaits(Trigger&& trigger, Destroy&& destroy)
    {
        m_armed = true;
        ScopedThread triggering(std::forward<Trigger>(trigger));
        ASSERT_TRUE(m_entered.Wait()) << "the callback was never reached";
        std::atomic<bool> returned{false};
        ScopedThread destroying(
            [&]
            {
                destroy();
                EXPECT_FALSE(m_running.load()) << "returned while the callback was running";
                returned = true;
            });
        std::this_thread::sleep_for(50ms); // a wrong destructor returns meanwhile
        EXPECT_FALSE(returned.load()) << "returned while the callback was held";
        m_release.Open();
    }

private:
    std::atomic<int> m_calls{0};
    std::atomic<bool> m_armed{false};
    std::atomic<bool> m_running{false};
    Gate m_entered;
    Gate m_release;
};
} // namespace Orx2Test
