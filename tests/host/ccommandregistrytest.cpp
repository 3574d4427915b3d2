#include "host/acquisitionbase/ccommandregistry.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
using Base::CCommandRegistry;
using HostTest::MakeCommand;

TEST(HostCommandRegistry, FindsLiveCommandsOnly)
{
    CCommandRegistry registry;
    auto command = MakeCommand(L"Scan");
    EXPECT_TRUE(registry.AddCommand(L"Scan", command));
    EXPECT_EQ(registry.FindCommand(L"Scan"), command);
    EXPECT_EQ(registry.FindCommand(L"Other"), nullptr);
    command.reset();
    EXPECT_EQ(registry.FindCommand(L"Scan"), nullptr);
}

TEST(HostCommandRegistry, DuplicatePolicy)
{
    CCommandRegistry registry;
    auto const first = MakeCommand(L"Scan");
    auto const second = MakeCommand(L"Scan");
    EXPECT_TRUE(registry.AddCommand(L"Scan", first));
    EXPECT_FALSE(registry.AddCommand(L"Scan", second)) << "a live command must not be displaced";
    EXPECT_EQ(registry.FindCommand(L"Scan"), first);

    auto expiring = MakeCommand(L"Stop");
    EXPECT_TRUE(registry.AddCommand(L"Stop", expiring));
    expiring.reset();
    EXPECT_TRUE(registry.AddCommand(L"Stop", second)) << "an expired entry is replaced";
    EXPECT_EQ(registry.FindCommand(L"Stop"), second);

    std::weak_ptr<Base::ICommandBase> dead = MakeCommand(L"Dead");
    EXPECT_FALSE(registry.AddCommand(L"Dead", dead));
    EXPECT_EQ(registry.FindCommand(L"Dead"), nullptr);
}

TEST(HostCommandRegistry, NamesAreSortedAndExpiredOnesPruned)
{
    CCommandRegistry registry;
    auto const zeta = MakeCommand(L"Zeta");
    auto const alpha = MakeCommand(L"Alpha");
    auto middle = MakeCommand(L"Middle");
    registry.AddCommand(L"Zeta", zeta);
    registry.AddCommand(L"Middle", middle);
    registry.AddCommand(L"Alpha", alpha);
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Alpha", L"Middle", L"Zeta"}));
    middle.reset();
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Alpha", L"Zeta"}));
    EXPECT_FALSE(registry.RemoveCommand(L"Middle")) << "listing pruned the expired entry";
}

TEST(HostCommandRegistry, RemoveByIdentitySparesASuccessor)
{
    CCommandRegistry registry;
    auto original = MakeCommand(L"Scan");
    Base::ICommandBase const* const originalIdentity = original.get();
    registry.AddCommand(L"Scan", original);
    original.reset();
    auto const successor = MakeCommand(L"Scan");
    ASSERT_TRUE(registry.AddCommand(L"Scan", successor));

    // What the original's destructor would do after the successor took its name.
    EXPECT_FALSE(registry.RemoveCommand(L"Scan", originalIdentity));
    EXPECT_EQ(registry.FindCommand(L"Scan"), successor);
    EXPECT_TRUE(registry.RemoveCommand(L"Scan", successor.get()));
    EXPECT_EQ(registry.FindCommand(L"Scan"), nullptr);

    registry.AddCommand(L"Scan", successor);
    EXPECT_TRUE(registry.RemoveCommand(L"Scan"));
    EXPECT_FALSE(registry.RemoveCommand(L"Scan"));
}

TEST(HostCommandRegistry, SingletonIsOneInstance)
{
    CCommandRegistry& registry = JbSingleton<CCommandRegistry>::GetInstance();
    EXPECT_EQ(&registry, &JbSingleton<CCommandRegistry>::GetInstance());
    auto const command = MakeCommand(L"HostCommandRegistryTest.Singleton");
    ASSERT_TRUE(registry.AddCommand(command->GetName(), command));
    EXPECT_EQ(JbSingleton<CCommandRegistry>::GetInstance().FindCommand(command->GetName()), command);
    EXPECT_TRUE(registry.RemoveCommand(command->GetName(), command.get()));
}

TEST(HostCommandRegistry, ConcurrentUseKeepsOneWinnerPerName)
{
    constexpr int kThreads = 8;
    constexpr int kIterations = 500;
    CCommandRegistry registry;
    std::atomic<int> contestedWins{0};
    std::atomic<int> failures{0};
    std::vector<std::shared_ptr<Base::ICommandBase>> contenders;
    for (int index = 0; index < kThreads; ++index)
    {
        contenders.push_back(MakeCommand(L"Contested"));
    }
    std::vector<std::thread> threads;
    for (int index = 0; index < kThreads; ++index)
    {
        threads.emplace_back(
            [&, index]
            {
                contestedWins += registry.AddCommand(L"Contested", contenders[index]) ? 1 : 0;
                std::wstring const name = L"Own" + std::to_wstring(index);
                for (int iteration = 0; iteration < kIterations; ++iteration)
                {
                    auto const own = MakeCommand(name);
                    bool const ok = registry.AddCommand(name, own) && registry.FindCommand(name) == own &&
                                    registry.FindCommand(L"Contested") != nullptr &&
                                    registry.RemoveCommand(name, own.get());
                    failures += ok ? 0 : 1;
                    registry.GetCommandNames();
                }
            });
    }
    for (auto& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(contestedWins.load(), 1);
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(registry.GetCommandNames(), std::vector<std::wstring>{L"Contested"});
}
} // namespace
