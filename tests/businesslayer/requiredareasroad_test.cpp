// The road of a required-areas change: from the named command, through the case model and the dynamic
// model, to the arrays the GUI follows.
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using Base::EAreaItems;
using Level = BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;
using A = EAreaItems;

using Orx2Test::Levels;

std::vector<unsigned char> Serialize(std::vector<Level> const& levels)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    Base::CORXStreamWriteBinaryLegacy writer(buffer);
    writer << levels;
    return buffer->GetBytes();
}

/// A host as its set-up code wires it: the areas, the selected-area property, the case model and the
/// dynamic model bound to the case model's array, and a GUI that follows the dynamic output.
struct SWiredHost
{
    SWiredHost()
    {
        dynamic.SetRequiredAreasArray(caseModel.GetRequiredAreasArray());
        guiObserver = Base::Binding::MakeFullArrayObserver(dynamic.GetRequiredAreasArray(),
                                                           [this](std::vector<Level> const& levels)
                                                           { guiSees.push_back(levels); });
    }

    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    std::shared_ptr<Base::IProperty<EAreaItems>> selected =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    BusinessLayer::CCaseRequiredAreasDataExchangeModelBase caseModel{selected};
    BusinessLayer::CDynamicRequiredAreasBase dynamic{areas};
    std::vector<std::vector<Level>> guiSees;
    Base::Binding::CObserver guiObserver;
};

TEST(RequiredAreasRoad, TheNamedCommandWithSerializedLevelsReachesEveryModelAndTheHost)
{
    using Change = std::function<void(SWiredHost&, std::vector<Level> const&)>;
    Change const byName = [](SWiredHost&, std::vector<Level> const& levels)
    {
        std::shared_ptr<Base::ICommandBase> const command =
            JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
                L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel");
        ASSERT_NE(nullptr, command);
        command->Execute(Serialize(levels))->Wait();
    };
    Change const bySetter = [](SWiredHost& host, std::vector<Level> const& levels)
    { host.caseModel.SetRequiredAreasArray(levels); };

    for (Change const& change : {byName, bySetter})
    {
        SWiredHost host;
        host.areas->InstantiateArea(A::PreOpUpper);
        host.areas->GetCommonArea(A::PreOpUpper)->SetHasDataOrReco(true);
        host.guiSees.clear();

        change(host, Levels({A::LowerJaw, A::PreOpLower}));

        EXPECT_EQ(Levels({A::LowerJaw, A::PreOpLower}), host.caseModel.GetRequiredAreasArray().GetValues());
        EXPECT_EQ(A::PreOpLower, host.caseModel.GetDefaultActiveArea().Get());
        EXPECT_EQ(A::PreOpLower, host.selected->Get());
        // The upper pre-operation scan holds data: the upper jaw is needed, and with both jaws the bite.
        std::vector<Level> const expected = Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg, A::PreOpLower});
        EXPECT_EQ(expected, host.dynamic.GetRequiredAreasArray().GetValues());
        ASSERT_FALSE(host.guiSees.empty());
        EXPECT_EQ(expected, host.guiSees.back());
    }
}

TEST(RequiredAreasRoad, AReplayedBlobWithTrailingBytesChangesNothing)
{
    SWiredHost host;
    std::vector<unsigned char> blob = Serialize(Levels({A::UpperJaw}));
    blob.push_back(0);
    std::shared_ptr<Base::ICommandBase> const command =
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
            L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel");
    ASSERT_NE(nullptr, command);
    EXPECT_THROW(command->Execute(blob), OrxException);
    EXPECT_EQ(0u, host.caseModel.GetRequiredAreasArray().GetSize());
    EXPECT_EQ(EAreaItems::Undefined, host.selected->Get());
}
} // namespace
