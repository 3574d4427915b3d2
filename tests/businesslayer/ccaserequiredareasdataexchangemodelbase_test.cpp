#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tfullarrayobserver.h"
#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CCaseRequiredAreasDataExchangeModelBase;
using Level = CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;

constexpr wchar_t const* kCommandName = L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel";

using Orx2Test::Levels;

class CaseRequiredAreasModel : public ::testing::Test
{
protected:
    std::shared_ptr<Base::IProperty<EAreaItems>> selected =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    CCaseRequiredAreasDataExchangeModelBase model{selected};
};

TEST_F(CaseRequiredAreasModel, DefaultActiveAreaFollowsTheObligatoryJawsAndPreOperationScans)
{
    struct SCase
    {
        std::initializer_list<EAreaItems> obligatory;
        EAreaItems expected;
        Level fill = Level::Optional; // NotRequired is zero and still not obligatory
    };
    using A = EAreaItems;
    SCase const cases[] = {
        {{}, A::LowerJaw},
        {{A::LowerJaw}, A::LowerJaw},
        {{A::LowerJaw, A::PreOpLower}, A::PreOpLower},
        {{A::LowerJaw, A::PreOpLower, A::PreOpUpper}, A::PreOpLower},
        {{A::LowerJaw, A::PreOpUpper}, A::PreOpUpper},
        {{A::LowerJaw, A::UpperJaw}, A::LowerJaw},
        {{A::UpperJaw}, A::UpperJaw},
        {{A::UpperJaw, A::PreOpUpper}, A::PreOpUpper},
        // The pre-operation lower scan comes first, as it would with the lower jaw prescribed.
        {{A::UpperJaw, A::PreOpLower}, A::PreOpLower},
        {{A::UpperJaw, A::PreOpLower, A::PreOpUpper}, A::PreOpLower},
        // Without an obligatory jaw the pre-operation scans do not count.
        {{A::PreOpLower, A::PreOpUpper}, A::LowerJaw},
        {{A::BuccalReg, A::ScanbodyUpper}, A::LowerJaw},
        {{A::UpperJaw}, A::UpperJaw, Level::NotRequired},
    };
    for (SCase const& c : cases)
    {
        // Start from an area that no rule yields, so that every case shows its own result.
        model.GetDefaultActiveArea().Set(EAreaItems::BiteUpper);
        model.UpdateDefaultActiveArea(Levels(c.obligatory, Base::kAreaItemCount, c.fill));
        EXPECT_EQ(c.expected, model.GetDefaultActiveArea().Get()) << Base::GetAreaName(c.expected);
    }
}

// That shorter levels overwrite the front and keep the default is the commands scenario's concern.
TEST_F(CaseRequiredAreasModel, WritesItsDefaultIntoTheSelectionWhileThatLives)
{
    EXPECT_EQ(0u, model.GetRequiredAreasArray().GetSize());
    EXPECT_EQ(EAreaItems::Undefined, selected->Get()) << "touched before any levels came";
    model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw, EAreaItems::ScanbodyUpper}));
    selected->Set(EAreaItems::BiteLower); // the user picked another area meanwhile
    model.SetRequiredAreasArray({Level::Obligatory, Level::NotRequired});
    EXPECT_EQ(EAreaItems::UpperJaw, selected->Get()) << "shorter levels write the kept default again";

    // Without the selected-area property everything else still happens.
    selected.reset();
    model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw, EAreaItems::PreOpUpper}));
    EXPECT_EQ(Levels({EAreaItems::UpperJaw, EAreaItems::PreOpUpper}), model.GetRequiredAreasArray().GetValues());
    EXPECT_EQ(EAreaItems::PreOpUpper, model.GetDefaultActiveArea().Get());
}

TEST(CaseRequiredAreasModelCommand, SettingTheLevelsRunsItsGuiLockingCommandFoundByNameWhileTheModelLives)
{
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    auto const& locking = Base::ACommandBase::s_numberOfActiveGUILockingCommands;
    {
        CCaseRequiredAreasDataExchangeModelBase model(nullptr);
        EXPECT_NE(nullptr, registry.FindCommand(kCommandName));
        unsigned int const lockedBefore = locking.Get();
        std::vector<unsigned int> lockedDuringAction;
        auto observer = Base::Binding::MakeFullArrayObserver(
            model.GetRequiredAreasArray(), [&](std::vector<Level> const&) { lockedDuringAction.push_back(locking.Get()); });
        lockedDuringAction.clear(); // the binding's first call
        model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw}));
        EXPECT_EQ(std::vector<unsigned int>{lockedBefore + 1}, lockedDuringAction);
        EXPECT_EQ(lockedBefore, locking.Get());
    }
    EXPECT_EQ(nullptr, registry.FindCommand(kCommandName));
}
} // namespace
