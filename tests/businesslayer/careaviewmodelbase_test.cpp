// The area panel: its items, their properties, and the obligatory flags following a required-areas
// array as the GUI sees them.
#include "businesslayer/common/careaviewmodelbase.h"

#include "base/orx2basepool/tarrayproperty.h"
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
} // namespace
