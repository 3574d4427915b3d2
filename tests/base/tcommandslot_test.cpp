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
class CommandSlot : public CommandEnvironment
{
protected:
    std::shared_ptr<TCommand<void, int>> Make(std::atomic<int>& sum)
    {
        return std::make_shared<TCommand<void, int>>([&sum](int value) { sum.fetch_add(value); }, L"Slot", false);
    }
};
} // namespace

TEST_F(CommandSlot, ExecutesOnlyWhatIsInstalled)
{
    std::atomic<int> sum{0};
    TCommandSlot<ICommand<int>> slot;
    EXPECT_FALSE(slot.ExecuteIfSet(1)) << "an empty slot ran something";

    auto const command = Make(sum);
    slot.Set(command);
    EXPECT_EQ(command, slot.Get());
    EXPECT_TRUE(slot.ExecuteIfSet(4));
    EXPECT_EQ(4, sum.load());

    slot.Set(nullptr);
    EXPECT_FALSE(ExecuteIfSet(slot.Get(), 1));
    EXPECT_EQ(1, command.use_count()) << "the slot kept the replaced command";
}

TEST_F(CommandSlot, ReadersOnOneThreadWhileAnotherReplacesTheCommand)
{
    std::atomic<int> sum{0};
    auto const first = Make(sum);
    auto const second = Make(sum);
    TCommandSlot<ICommand<int>> slot(first);
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
    EXPECT_LE(sum.load(), reads.load());
}
