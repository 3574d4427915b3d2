#include "host/acquisitionbase/ccommandregistry.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Base::CCommandRegistry;
using HostTest::MakeCommand;

TEST(HostCommandRegistry, LiveCommandsKeepTheirNameExpiredOnesAreReplacedAndPrunedRemovalSparesASuccessor)
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
    Base::ICommandBase const* const expiringIdentity = expiring.get();
    auto const zeta = MakeCommand(L"Zeta");
    registry.AddCommand(L"Stop", expiring);
    registry.AddCommand(L"Zeta", zeta);
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Scan", L"Stop", L"Zeta"}));
    expiring.reset();
    EXPECT_EQ(registry.FindCommand(L"Stop"), nullptr);
    EXPECT_EQ(registry.GetCommandNames(), (std::vector<std::wstring>{L"Scan", L"Zeta"}));
    EXPECT_FALSE(registry.RemoveCommand(L"Stop")) << "listing pruned the expired entry";
    EXPECT_TRUE(registry.AddCommand(L"Stop", zeta)) << "an expired entry is replaced";

    // Removing by identity spares a successor: what the original's destructor would do after the
    // successor took its name.
    EXPECT_FALSE(registry.RemoveCommand(L"Stop", expiringIdentity));
    EXPECT_EQ(registry.FindCommand(L"Stop"), zeta);
    EXPECT_TRUE(registry.RemoveCommand(L"Stop", zeta.get()));
    EXPECT_EQ(registry.FindCommand(L"Stop"), nullptr);
    registry.AddCommand(L"Stop", zeta);
    EXPECT_TRUE(registry.RemoveCommand(L"Stop"));
    EXPECT_FALSE(registry.RemoveCommand(L"Stop"));
}

} // namespace
