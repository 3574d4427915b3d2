#include "businesslayer/common/cliveoptionsviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

namespace
{
using BusinessLayer::CLiveOptionsItemViewModelBase;
using BusinessLayer::CLiveSubOptionsItemViewModelBase;
using BusinessLayer::CSliderViewModelBase;
using OptionType = Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions;
using SubOptionType = Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions;
using CommandPointer = std::shared_ptr<Base::ICommand<>>;

// The two getters of a property whose const getter hands out the TProperty itself.
#define BOTH_GETTERS(Owner, getter)                                                                          \
    [](Owner const& o) -> auto&                                                                              \
    {                                                                                                        \
        return o.getter();                                                                                   \
    }                                                                                                        \
    , [](Owner & o) -> auto&                                                                                 \
    {                                                                                                        \
        return o.getter();                                                                                   \
    }

// The slider's getters are non-const only.
#define SLIDER_GETTERS(getter)                                                                               \
    [](CSliderViewModelBase const& o) -> auto&                                                               \
    {                                                                                                        \
        return const_cast<CSliderViewModelBase&>(o).getter();                                                \
    }                                                                                                        \
    , [](CSliderViewModelBase & o) -> auto&                                                                  \
    {                                                                                                        \
        return o.getter();                                                                                   \
    }

template <class Array> int FilledSlots(Array const& slots)
{
    return static_cast<int>(
        std::count_if(slots.begin(), slots.end(), [](auto const& slot) { return slot != nullptr; }));
}

TEST(LiveOptions, SlotsStartEmptyAndFilledOnesAppearAtTheirPositionsNotifyingNobody)
{
    BusinessLayer::CLiveOptionsViewModelBase bar;
    Base::ILiveOptionsViewModel const& gui = bar;
    Orx2Test::PropertyChangedCounter barChanges(bar);
    auto const option =
        std::make_shared<CLiveOptionsItemViewModelBase>(OptionType::Option2, true, true, false, L"i");
    auto const panel = option->GetLiveSubOptions();
    Orx2Test::PropertyChangedCounter panelChanges(*panel);
    EXPECT_EQ(0, FilledSlots(gui.GetLiveOptionsItems()));
    EXPECT_EQ(0, FilledSlots(panel->GetLiveSubOptionsItems())) << "a new option's panel";

    auto const subOption = std::make_shared<CLiveSubOptionsItemViewModelBase>(SubOptionType::SubOption1, true,
                                                                              true, false, true);
    bar.GetLiveOptionsItems()[6] = option;
    panel->GetLiveSubOptionsItems()[0] = subOption;
    EXPECT_EQ(option, gui.GetLiveOptionsItems()[6]);
    EXPECT_EQ(1, FilledSlots(gui.GetLiveOptionsItems()));
    auto const subOptions = gui.GetLiveOptionsItems()[6]->GetLiveSubOptions()->GetLiveSubOptionsItems();
    EXPECT_EQ(subOption, subOptions[0]);
    EXPECT_EQ(1, FilledSlots(subOptions));
    EXPECT_EQ(0, barChanges.Count() + panelChanges.Count());
}

TEST(LiveOptions, AnOptionKeepsItsArgumentsAndOwnsItsPanel)
{
    using O = CLiveOptionsItemViewModelBase;
    O option(OptionType::Option3, true, false, true, L"x");
    Orx2Test::PropertyContract<O>()
        .Custom<bool>("Visibility", BOTH_GETTERS(O, GetVisibility), true, false)
        .Custom<bool>("Enabled", BOTH_GETTERS(O, GetEnabled), false, true)
        .Custom<bool>("Selected", BOTH_GETTERS(O, GetSelected), true, false)
        .Custom<CStringW>("InfoText", BOTH_GETTERS(O, GetInfoText), CStringW(L"x"), CStringW(L"other"))
        .Row<CommandPointer>("Command", &O::GetCommand, &O::GetCommand, nullptr,
                             std::make_shared<Base::TCommand<void>>([] {}, L"test.Option", false))
        .Check(option);
    EXPECT_EQ(OptionType::Option3, option.GetItemType().Get());

    O const other(OptionType::Option5, false, true, false, L"");
    EXPECT_EQ(OptionType::Option5, other.GetItemType().Get());
    std::set<Base::ILiveSubOptionsViewModel*> const panels{option.GetLiveSubOptions().get(),
                                                           other.GetLiveSubOptions().get()};
    EXPECT_EQ(2u, panels.size()) << "two options share a panel";
    EXPECT_EQ(option.GetLiveSubOptions(), static_cast<O const&>(option).GetLiveSubOptions())
        << "one panel per option";
}

TEST(LiveOptions, ASubOptionHasASliderOnlyWhenAsked)
{
    using S = CLiveSubOptionsItemViewModelBase;
    S plain(SubOptionType::SubOption4, true, false, true, false);
    Orx2Test::PropertyContract<S>()
        .Custom<bool>("Visibility", BOTH_GETTERS(S, GetVisibility), true, false)
        .Custom<bool>("Enabled", BOTH_GETTERS(S, GetEnabled), false, true)
        .Custom<bool>("Selected", BOTH_GETTERS(S, GetSelected), true, false)
        .Row<CommandPointer>("Command", &S::GetCommand, &S::GetCommand, nullptr,
                             std::make_shared<Base::TCommand<void>>([] {}, L"test.SubOption", false))
        .Check(plain);
    EXPECT_EQ(SubOptionType::SubOption4, plain.GetItemType().Get());
    EXPECT_EQ(nullptr, static_cast<S const&>(plain).GetSlider());

    S const withSlider(SubOptionType::SubOption0, true, true, false, true);
    ASSERT_NE(nullptr, withSlider.GetSlider());
    auto& slider = dynamic_cast<CSliderViewModelBase&>(*withSlider.GetSlider());
    Orx2Test::PropertyContract<CSliderViewModelBase>()
        .Custom<double>("Value", SLIDER_GETTERS(GetValue), 0.0, 42.5)
        .Custom<double>("ValueMin", SLIDER_GETTERS(GetValueMin), 0.0, -10.0)
        .Custom<double>("ValueMax", SLIDER_GETTERS(GetValueMax), 0.0, 100.0)
        .Custom<double>("StepSmall", SLIDER_GETTERS(GetStepSmall), 5.0, 1.0)
        .Custom<double>("StepLarge", SLIDER_GETTERS(GetStepLarge), 15.0, 10.0)
        .Check(slider);

    Base::ISliderViewModel& gui = slider;
    gui.GetValueMax().Set(20.0);
    gui.GetValue().Set(20.5);
    EXPECT_EQ(20.5, gui.GetValue().Get()) << "a value above the maximum is stored unchanged";
}
} // namespace
