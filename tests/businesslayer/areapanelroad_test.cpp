// The area panel wired as a host wires it, read as the GUI reads it: required areas from the case
// command through the dynamic model to the tiles, the selected area, thumbnails and area commands.
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
    changes({"1", "panel"});
    EXPECT_TRUE(tiles[1]->GetIsObligatory().Get());
    EXPECT_EQ(EAreaItems::UpperJaw, gui->GetSelectedArea().Get());
    EXPECT_TRUE(gui->GetVisibility().Get()) << "the host shows its panel";

    // The lower pre-operation scan gains data: the lower jaw is needed, and with both jaws the bite.
    areas->InstantiateArea(EAreaItems::PreOpLower);
    areas->GetCommonArea(EAreaItems::PreOpLower)->SetHasDataOrReco(true);
    changes({"0", "2"});

    // Two thumbnails on the lower jaw; the second selected by name and found by its bitmap id.
    auto& lower = panel.GetThumbnails(EAreaItems::LowerJaw);
    lower.Add(L"1", 1, L"bmp-1");
    lower.Add(L"2", 2, L"bmp-2");
    auto const bar = tiles[0]->GetThumbnailBarConfiguartion();
    EXPECT_EQ(2u, bar->GetThumbnailsArrayBindingSource().GetSize());
    Find<Base::ICommand<>>(L"CThumbnailItemViewModelBase.Select_LowerJaw_2")->Execute();
    auto selectedThumbnail = bar->GetThumbnail(JyUniqueIdT<CStringW>(L"bmp-2"));
    ASSERT_NE(nullptr, selectedThumbnail);
    EXPECT_TRUE(selectedThumbnail->GetIsSelected().Get());
    EXPECT_TRUE(selectedThumbnail->GetVisibility().Get());
    EXPECT_EQ((std::vector<unsigned>{1, 0}), changes({}).guiLockCounts);

    // An area activated from its tile, and its content moved and copied to another; none locks the GUI.
    gui->GetActivateAreaCommand().Get()->Execute(EAreaItems::PreOpLower);
    EXPECT_TRUE(changes({"panel"}).guiLockCounts.empty());
    EXPECT_EQ(EAreaItems::PreOpLower, gui->GetSelectedArea().Get());
    tiles[7]->GetMoveCommand()->Execute(EAreaItems::PreOpUpper);
    tiles[7]->GetCopyCommand()->Execute(EAreaItems::PreOpUpper);
    EXPECT_TRUE(changes({}).guiLockCounts.empty());
    EXPECT_EQ((Calls{{Kind::Activate, EAreaItems::PreOpLower, EAreaItems::Undefined},
                     {Kind::Move, EAreaItems::PreOpLower, EAreaItems::PreOpUpper},
                     {Kind::Copy, EAreaItems::PreOpLower, EAreaItems::PreOpUpper}}),
              panel.GetCommands().TakeCalls());

    // The thumbnail removed: it leaves the bar and its name expires.
    lower.Remove(L"bmp-2");
    EXPECT_EQ(1u, bar->GetThumbnailsArrayBindingSource().GetSize());
    selectedThumbnail.reset();
    EXPECT_EQ(nullptr, Find(L"CThumbnailItemViewModelBase.Select_LowerJaw_2"));
}
} // namespace
