// The area panel: the obligatory flags of its items following a required-areas array as the GUI sees
// them; then the panel wired as a host wires it, read as the GUI reads it: required areas from the case
// command through the dynamic model to the tiles, the selected area, thumbnails and area commands, with
// the notifications and GUI locks each step causes.
#include "businesslayer/common/careaviewmodelbase.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/careapanel.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using Orx2Test::Levels;
using Level = Orx2Test::RequirementLevel;
using Panel = BusinessLayer::CAreaViewModelBase;
using Item = BusinessLayer::CAreaItemViewModelBase;

/// The obligatory flags of the fourteen items as the GUI reads them, '1' for obligatory.
std::string Flags(Panel const& panel)
{
    std::string flags;
    for (auto const& item : panel.GetAreaItemViewModels())
        flags += item->GetIsObligatory().Get() ? '1' : '0';
    return flags;
}

using AreaViewModel = Orx2Test::CommandEnvironment;
using AreaPanelRoad = Orx2Test::CommandEnvironment;

TEST_F(AreaViewModel, ObligatoryFlagsFollowTheLevelsAndOnlyChangedItemsNotify)
{
    Panel panel;
    Orx2Test::GuiProbe probe;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        probe.Watch(std::to_string(i), *panel.GetAreaItemViewModels()[i]);
    Base::Binding::TArrayProperty<Level> source;
    struct SRow
    {
        char const* name;
        std::vector<Level> levels;
        char const* flags;
        wchar_t const* log; // nullptr: not checked
    };
    for (SRow const& row : std::vector<SRow>{
             {"bound: flags set before it returns",
              Levels({EAreaItems::LowerJaw, EAreaItems::UpperJaw}, 14, Level::NotRequired), "11000000000000",
              nullptr},
             {"the upper half obligatory", Levels({EAreaItems::ScanbodyUpper, EAreaItems::PreOpUpper}),
              "00000000100001", nullptr},
             {"a shorter array keeps the tail", Levels({EAreaItems::LowerJaw}, 2), "10000000100001", nullptr},
             {"a longer array: the first fourteen count", Levels({}, 16, Level::Obligatory), "11111111111111",
              nullptr},
             {"and only they are logged", std::vector<Level>(16, Level::Optional), "00000000000000",
              L"Obligatory Areas: 0: No 1: No 2: No 3: No 4: No 5: No 6: No 7: No 8: No 9: No 10: No 11: No "
              L"12: No 13: No "}})
    {
        SCOPED_TRACE(row.name);
        std::string const before = Flags(panel);
        source.Set(row.levels);
        if (row.name == std::string("bound: flags set before it returns"))
            panel.SetRequiredAreasArray(source);
        EXPECT_EQ(row.flags, Flags(panel));
        auto const step = probe.Take();
        for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
            EXPECT_EQ(before[i] != row.flags[i] ? 1 : 0, step.Changes(std::to_string(i))) << "item " << i;
        ASSERT_EQ(1u, step.log.size());
        EXPECT_EQ(row.log != nullptr ? row.log : step.log[0].text, step.log[0].text);
    }
}

TEST_F(AreaViewModel, AfterARebindOnlyTheNewSourceCountsAndItsEndKeepsTheFlags)
{
    Panel panel;
    Base::Binding::TArrayProperty<Level> old;
    auto bound = std::make_unique<Base::Binding::TArrayProperty<Level>>();
    old.Set(Levels({EAreaItems::LowerJaw}));
    bound->Set(Levels({EAreaItems::UpperJaw}));
    panel.SetRequiredAreasArray(old);
    panel.SetRequiredAreasArray(*bound);
    EXPECT_EQ("01000000000000", Flags(panel));
    old.Set(Levels({EAreaItems::BuccalReg}));
    EXPECT_EQ("01000000000000", Flags(panel)) << "the old source reached an item";
    bound.reset();
    EXPECT_EQ("01000000000000", Flags(panel)) << "the end of the source changed the flags";
}

TEST_F(AreaPanelRoad, AScanAsTheGuiSeesIt)
{
    using Calls = std::vector<ReferenceHost::CRecordingAreaCommands::SCall>;
    using Kind = ReferenceHost::CRecordingAreaCommands::EKind;
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
    // then expires and how its command locks the GUI the simulator suite's.
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
