#include "host/acquisitionbase/ccommandregistry.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Base::CCommandRegistry;
using HostTest::MakeCommand;

TEST(HostCommandRegistry, LiveCommandsKeepTheirNameExpiredOnesAreReplacedAndPruned)
{
    CCommandRegistry registry;
    auto const first = MakeCommand(L"Scan");
    EXPECT_TRUE(registry.AddCommand(L"Scan", first));
    EXPECT_FALSE(registry.AddCommand(L"Scan", MakeCommand(L"Scan")))
        << "a live command must not be displaced";
    EXPECT_EQ(registry.FindCommand(L"Scan"), first);
    std::weak_ptr<Base::ICommandBase> dead = MakeCommand(L"Dead");
    EXPECT_FALSE(registry.AddCommand(L"Dead", dead));

    auto expiring = MakeCommand(L"Stop");
    auto const zeta = MakeCommand(L"Zeta");
    registry.AddCommand(L"Stop", expiring);
    registry.AddCommand(L"Zeta", zeta);
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Scan", L"Stop", L"Zeta"}));
    expiring.reset();
    EXPECT_EQ(registry.FindCommand(L"Stop"), nullptr);
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Scan", L"Zeta"}));
    EXPECT_FALSE(registry.RemoveCommand(L"Stop")) << "listing pruned the expired entry";
    EXPECT_TRUE(registry.AddCommand(L"Stop", zeta)) << "an expired entry is replaced";
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

} // namespace
