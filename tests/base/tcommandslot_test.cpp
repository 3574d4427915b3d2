// Command slots: plain command members that the GUI thread reads while the host replaces them.
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tcommandslot.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace Base;
using namespace Orx2Test;

namespace
{
using CommandSlot = CommandEnvironment;
} // namespace

TEST_F(CommandSlot, ExecutesOnlyWhatIsInstalledWhileAnotherThreadReplacesIt)
{
    std::atomic<int> sum{0};
    auto const make = [&sum] {
        return std::make_shared<TCommand<void, int>>([&sum](int v) { sum.fetch_add(v); }, L"Slot", false);
    };
    auto const first = make();
    auto const second = make();
    TCommandSlot<ICommand<int>> slot;
    EXPECT_FALSE(slot.ExecuteIfSet(1)) << "an empty slot ran something";
    slot.Set(first);
    EXPECT_TRUE(slot.ExecuteIfSet(4));
    EXPECT_EQ(4, sum.load());
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    ScopedThread reader(
        [&]
        {
            while (!stop.load())
            {
                auto const seen = slot.Get();
                EXPECT_TRUE(seen == first || seen == second || seen == nullptr);
                slot.ExecuteIfSet(1);
                reads.fetch_add(1);
            }
        });
    auto const deadline = std::chrono::steady_clock::now() + 5s;
    for (int i = 0; (i < 20000 || reads.load() < 2000) && std::chrono::steady_clock::now() < deadline; ++i)
        slot.Set(i % 3 == 0 ? nullptr : (i % 3 == 1 ? second : first));
    stop.store(true);
    reader.Join();
    EXPECT_GT(reads.load(), 0);
    EXPECT_LE(sum.load(), 4 + reads.load());
    slot.Set(nullptr);
    EXPECT_FALSE(ExecuteIfSet(slot.Get(), 1));
    EXPECT_EQ(1, first.use_count()) << "the slot kept the replaced command";
}
