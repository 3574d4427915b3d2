#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tfullarrayobserver.h"
#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/logcapture.h"
#include "support/propertycontract.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CCaseRequiredAreasDataExchangeModelBase;
using Level = CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;

constexpr wchar_t const* kCommandName = L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel";
constexpr wchar_t const* kChannel = L"ORX2.CCaseRequiredAreasDataExchangeModelBase";

using Orx2Test::Levels;

class CaseRequiredAreasModel : public ::testing::Test
{
protected:
    std::shared_ptr<Base::IProperty<EAreaItems>> selected =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    CCaseRequiredAreasDataExchangeModelBase model{selected};
};

TEST_F(CaseRequiredAreasModel, StartsEmptyWithTheLowerJawAsDefault)
{
    using M = CCaseRequiredAreasDataExchangeModelBase;
    Orx2Test::PropertyContract<M>()
        .Row<EAreaItems>("DefaultActiveArea", &M::GetDefaultActiveArea, &M::GetDefaultActiveArea,
                         EAreaItems::LowerJaw, EAreaItems::UpperJaw)
        .Check(model);
    EXPECT_EQ(0u, model.GetRequiredAreasArray().GetSize());
    EXPECT_EQ(EAreaItems::Undefined, selected->Get());
}

TEST_F(CaseRequiredAreasModel, DefaultActiveAreaFollowsTheObligatoryJawsAndPreOperationScans)
{
    struct SCase
    {
        std::initializer_list<EAreaItems> obligatory;
        EAreaItems expected;
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
    };
    for (SCase const& c : cases)
    {
        // Start from an area that no rule yields, so that every case shows its own result.
        model.GetDefaultActiveArea().Set(EAreaItems::BiteUpper);
        model.UpdateDefaultActiveArea(Levels(c.obligatory));
        EXPECT_EQ(c.expected, model.GetDefaultActiveArea().Get()) << Base::GetAreaName(c.expected);
    }
}

TEST_F(CaseRequiredAreasModel, ZeroCountsAsNotObligatoryForTheDefault)
{
    std::vector<Level> levels(Base::kAreaItemCount, Level::NotRequired);
    levels[Base::AreaIndex(EAreaItems::UpperJaw)] = Level::Obligatory;
    model.UpdateDefaultActiveArea(levels);
    EXPECT_EQ(EAreaItems::UpperJaw, model.GetDefaultActiveArea().Get());
}

TEST_F(CaseRequiredAreasModel, LogsEveryDerivedDefaultButNothingForShortLevels)
{
    Orx2Test::LogCapture log;
    model.UpdateDefaultActiveArea(Levels({EAreaItems::LowerJaw, EAreaItems::PreOpUpper}));
    model.UpdateDefaultActiveArea(Levels({EAreaItems::UpperJaw}, 13));

    EXPECT_EQ(EAreaItems::PreOpUpper, model.GetDefaultActiveArea().Get());
    auto const records = log.Channel(kChannel);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(L"Default Activated Area 8 ", records[0].message);
}

TEST_F(CaseRequiredAreasModel, AnUnchangedDefaultFiresNoChangeButIsLoggedAgain)
{
    int changes = 0;
    Base::CScopedEventSignalConnection const counter(model.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([&changes] { ++changes; })));
    Orx2Test::LogCapture log;
    model.UpdateDefaultActiveArea(Levels({EAreaItems::UpperJaw}));
    model.UpdateDefaultActiveArea(Levels({EAreaItems::UpperJaw}));
    EXPECT_EQ(1, changes);
    EXPECT_EQ(2u, log.Channel(kChannel).size());
}

TEST_F(CaseRequiredAreasModel, SettingTheLevelsRunsTheRegisteredGuiLockingCommand)
{
    std::shared_ptr<Base::ICommandBase> const command =
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kCommandName);
    ASSERT_NE(nullptr, command);
    EXPECT_TRUE(command->IsSerializable());

    unsigned int const lockedBefore = Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get();
    std::vector<unsigned int> lockedDuringAction;
    auto observer = Base::Binding::MakeFullArrayObserver(
        model.GetRequiredAreasArray(), [&](std::vector<Level> const&)
        { lockedDuringAction.push_back(Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get()); });
    lockedDuringAction.clear();

    std::vector<Base::ICommandBase*> published;
    Base::CScopedEventSignalConnection const stream(
        Base::ACommandBase::ms_EventCommandStream.ConnectToValueStream(
            Base::MakeEventSignalHandler<Base::Binding::TValueStreamNotification<Base::ICommandBase*> const&>(
                [&published](auto const& notification)
                { published.push_back(notification.value.value()); })));

    model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw}));

    EXPECT_EQ(std::vector<unsigned int>{lockedBefore + 1}, lockedDuringAction);
    EXPECT_EQ(lockedBefore, Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get());
    EXPECT_EQ(std::vector<Base::ICommandBase*>{command.get()}, published);
    EXPECT_EQ(Levels({EAreaItems::UpperJaw}), model.GetRequiredAreasArray().GetValues());
    EXPECT_EQ(EAreaItems::UpperJaw, model.GetDefaultActiveArea().Get());
    EXPECT_EQ(EAreaItems::UpperJaw, selected->Get());
}

TEST_F(CaseRequiredAreasModel, ShorterLevelsOverwriteTheFrontAndKeepTheDefault)
{
    model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw, EAreaItems::ScanbodyUpper}));
    model.SetRequiredAreasArray({Level::Obligatory, Level::NotRequired});

    std::vector<Level> expected = Levels({EAreaItems::LowerJaw, EAreaItems::ScanbodyUpper});
    expected[Base::AreaIndex(EAreaItems::UpperJaw)] = Level::NotRequired;
    EXPECT_EQ(expected, model.GetRequiredAreasArray().GetValues());
    // Two levels say nothing about the default; it stays, and is written to the selection again.
    EXPECT_EQ(EAreaItems::UpperJaw, model.GetDefaultActiveArea().Get());
    EXPECT_EQ(EAreaItems::UpperJaw, selected->Get());
}

TEST_F(CaseRequiredAreasModel, TheSelectionIsRewrittenEvenWhenTheDefaultStays)
{
    model.SetRequiredAreasArray(Levels({EAreaItems::LowerJaw}));
    selected->Set(EAreaItems::BiteLower); // the user picked another area meanwhile
    model.SetRequiredAreasArray(Levels({EAreaItems::LowerJaw}));
    EXPECT_EQ(EAreaItems::LowerJaw, selected->Get());
}

TEST_F(CaseRequiredAreasModel, WithoutTheSelectedAreaPropertyEverythingElseStillHappens)
{
    selected.reset();
    model.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw, EAreaItems::PreOpUpper}));
    EXPECT_EQ(Levels({EAreaItems::UpperJaw, EAreaItems::PreOpUpper}),
              model.GetRequiredAreasArray().GetValues());
    EXPECT_EQ(EAreaItems::PreOpUpper, model.GetDefaultActiveArea().Get());

    CCaseRequiredAreasDataExchangeModelBase withoutSelection(nullptr);
    withoutSelection.SetRequiredAreasArray(Levels({EAreaItems::UpperJaw}));
    EXPECT_EQ(EAreaItems::UpperJaw, withoutSelection.GetDefaultActiveArea().Get());
}

TEST(CaseRequiredAreasModelLifetime, TheCommandIsFoundByNameOnlyWhileTheModelLives)
{
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    {
        CCaseRequiredAreasDataExchangeModelBase model(nullptr);
        EXPECT_NE(nullptr, registry.FindCommand(kCommandName));
    }
    EXPECT_EQ(nullptr, registry.FindCommand(kCommandName));
}
} // namespace
