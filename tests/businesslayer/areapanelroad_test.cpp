// The area panel wired as a host wires it, read as the GUI reads it: required areas from the case
// command through the dynamic model to the tiles, the selected area, thumbnails and area commands, with
// the notifications and GUI locks each step causes.
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/careapanel.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/makestandaloneproperty.h"

#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using Calls = std::vector<ReferenceHost::CRecordingAreaCommands::SCall>;
using Kind = ReferenceHost::CRecordingAreaCommands::EKind;

using AreaPanelRoad = Orx2Test::CommandEnvironment;

TEST_F(AreaPanelRoad, AScanAsTheGuiSeesIt)
{
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    auto const selected = ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    BusinessLayer::CCommonDataExchangeConfiguration configuration(
        std::make_shared<ReferenceHost::CAcquisitionProperties>(), areas, selected);
    auto const dynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(areas);
    configuration.SetDynamicRequiredAreaDataExchangeModel(dynamic);
    dynamic->SetRequiredAreasArray(
        configuration.GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
    ReferenceHost::CAreaPanel panel(selected);
    panel.GetAreaViewModel()->SetRequiredAreasArray(dynamic->GetRequiredAreasArray());

    // What the GUI holds: interfaces only.
    std::shared_ptr<Base::IAreaViewModel> const gui = panel.GetAreaViewModel();
    auto const tiles = gui->GetAreaItemViewModels();
    Orx2Test::GuiProbe probe;
    probe.Watch("panel", *gui);
    for (std::size_t i = 0; i < tiles.size(); ++i)
        probe.Watch(std::to_string(i), *tiles[i]);
    auto const changes = [&probe](std::vector<std::string> const& owners)
    {
        auto const step = probe.Take();
        for (auto const& [owner, count] : step.changes)
            EXPECT_EQ(std::count(owners.begin(), owners.end(), owner), count) << owner;
        for (auto const& owner : owners)
            EXPECT_EQ(1, step.Changes(owner)) << owner;
        return step;
    };

    // The case asks for the upper jaw, by name with serialized levels, as a script would.
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    Base::CORXStreamWriteBinaryLegacy(buffer) << Orx2Test::Levels({EAreaItems::UpperJaw});
    Find(L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel")
        ->Execute(buffer->GetBytes())
        ->Wait();
    // Which tiles turn obligatory and which area is selected is the area-panel scenario's concern.
    changes({"1", "panel"});
    EXPECT_TRUE(gui->GetVisibility().Get()) << "the host shows its panel";

    // Two thumbnails on the lower jaw; the second selected by name and found by its bitmap id. That it
    // is selected and leaves the bar when removed is the area-panel scenario's concern, that its name
    // then expires the simulator suite's, and how its command locks the GUI the thumbnail suite's.
    auto& lower = panel.GetThumbnails(EAreaItems::LowerJaw);
    lower.Add(L"1", 1, L"bmp-1");
    lower.Add(L"2", 2, L"bmp-2");
    auto const bar = tiles[0]->GetThumbnailBarConfiguartion();
    Find<Base::ICommand<>>(L"CThumbnailItemViewModelBase.Select_LowerJaw_2")->Execute();
    auto const selectedThumbnail = bar->GetThumbnail(JyUniqueIdT<CStringW>(L"bmp-2"));
    ASSERT_NE(nullptr, selectedThumbnail);
    EXPECT_TRUE(selectedThumbnail->GetVisibility().Get());
    changes({});

    // An area activated from its tile, and its content moved and copied to another; none locks the GUI.
    gui->GetActivateAreaCommand().Get()->Execute(EAreaItems::PreOpLower);
    EXPECT_TRUE(changes({"panel"}).guiLockCounts.empty());
    tiles[7]->GetMoveCommand()->Execute(EAreaItems::PreOpUpper);
    tiles[7]->GetCopyCommand()->Execute(EAreaItems::PreOpUpper);
    EXPECT_TRUE(changes({}).guiLockCounts.empty());
    EXPECT_EQ((Calls{{Kind::Activate, EAreaItems::PreOpLower, EAreaItems::Undefined},
                     {Kind::Move, EAreaItems::PreOpLower, EAreaItems::PreOpUpper},
                     {Kind::Copy, EAreaItems::PreOpLower, EAreaItems::PreOpUpper}}),
              panel.GetCommands().TakeCalls());
}
} // namespace
