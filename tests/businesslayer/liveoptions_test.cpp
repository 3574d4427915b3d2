#include "businesslayer/common/cliveoptionsviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace
{
using BusinessLayer::CLiveOptionsItemViewModelBase;
using BusinessLayer::CLiveOptionsViewModelBase;
using BusinessLayer::CLiveSubOptionsItemViewModelBase;
using BusinessLayer::CLiveSubOptionsViewModelBase;
using BusinessLayer::CSliderViewModelBase;
using OptionType = Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions;
using SubOptionType = Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions;
using CommandPointer = std::shared_ptr<Base::ICommand<>>;

template <class Array> int FilledSlots(Array const& slots)
{
    int filled = 0;
    for (auto const& slot : slots)
        filled += slot ? 1 : 0;
    return filled;
}

TEST(LiveOptions, BothKindsOfPanelHaveSevenEmptySlots)
{
    CLiveOptionsViewModelBase const bar;
    CLiveSubOptionsViewModelBase const panel;
    EXPECT_EQ(0, FilledSlots(bar.GetLiveOptionsItems()));
    EXPECT_EQ(0, FilledSlots(panel.GetLiveSubOptionsItems()));
}

TEST(LiveOptions, FilledSlotsAppearAtTheirPositionsAndNotifyNobody)
{
    CLiveOptionsViewModelBase bar;
    Orx2Test::PropertyChangedCounter barGui(bar);
    auto const option =
        std::make_shared<CLiveOptionsItemViewModelBase>(OptionType::Option2, true, true, false, L"i");
    Orx2Test::PropertyChangedCounter panelGui(*option->GetLiveSubOptions());
    auto const subOption = std::make_shared<CLiveSubOptionsItemViewModelBase>(SubOptionType::SubOption1, true,
                                                                              true, false, true);
    bar.GetLiveOptionsItems()[6] = option;
    option->GetLiveSubOptions()->GetLiveSubOptionsItems()[0] = subOption;

    auto const published = static_cast<Base::ILiveOptionsViewModel const&>(bar).GetLiveOptionsItems();
    EXPECT_EQ(option, published[6]);
    EXPECT_EQ(1, FilledSlots(published));
    auto const subOptions = published[6]->GetLiveSubOptions()->GetLiveSubOptionsItems();
    EXPECT_EQ(subOption, subOptions[0]);
    EXPECT_EQ(1, FilledSlots(subOptions));
    EXPECT_EQ(0, barGui.Count());
    EXPECT_EQ(0, panelGui.Count());
}

TEST(LiveOptions, AnOptionReportsItsArgumentsAndOwnsItsPanel)
{
    CLiveOptionsItemViewModelBase const first(OptionType::Option3, true, false, true, L"x");
    CLiveOptionsItemViewModelBase const second(OptionType::Option5, false, true, false, L"");
    Base::ILiveOptionsItemViewModel const& gui = first;
    EXPECT_EQ(OptionType::Option3, gui.GetItemType().Get());
    EXPECT_EQ(
        (std::vector<bool>{true, false, true}),
        (std::vector<bool>{gui.GetVisibility().Get(), gui.GetEnabled().Get(), gui.GetSelected().Get()}));
    EXPECT_EQ(CStringW(L"x"), gui.GetInfoText().Get());
    EXPECT_EQ(nullptr, gui.GetCommand().Get());
    EXPECT_EQ(OptionType::Option5, second.GetItemType().Get());

    auto const panel = gui.GetLiveSubOptions();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(0, FilledSlots(panel->GetLiveSubOptionsItems()));
    EXPECT_EQ(panel, gui.GetLiveSubOptions()) << "asked twice, one panel";
    std::set<Base::ILiveSubOptionsViewModel*> const panels{
        panel.get(), second.GetLiveSubOptions().get(),
        CLiveOptionsItemViewModelBase(OptionType::Option3, true, false, true, L"x")
            .GetLiveSubOptions()
            .get()};
    EXPECT_EQ(3u, panels.size()) << "two options share a panel";
}

TEST(LiveOptions, OptionPropertiesKeepTheirContract)
{
    using O = CLiveOptionsItemViewModelBase;
    auto const command = std::make_shared<Base::TCommand<void>>([] {}, L"test.Option", false);
    O option(OptionType::Option0, false, true, false, L"info");
    Orx2Test::PropertyContract<O>()
        .Custom<bool>(
            "Visibility", [](O const& o) -> auto& { return o.GetVisibility(); },
            [](O & o) -> auto& { return o.GetVisibility(); }, false, true)
        .Custom<bool>(
            "Enabled", [](O const& o) -> auto& { return o.GetEnabled(); },
            [](O & o) -> auto& { return o.GetEnabled(); }, true, false)
        .Custom<bool>(
            "Selected", [](O const& o) -> auto& { return o.GetSelected(); },
            [](O & o) -> auto& { return o.GetSelected(); }, false, true)
        .Custom<CStringW>(
            "InfoText", [](O const& o) -> auto& { return o.GetInfoText(); },
            [](O & o) -> auto& { return o.GetInfoText(); }, CStringW(L"info"), CStringW(L"other"))
        .Row<CommandPointer>("Command", &O::GetCommand, &O::GetCommand, nullptr, command)
        .Check(option);
}

TEST(LiveOptions, SubOptionPropertiesKeepTheirContract)
{
    using S = CLiveSubOptionsItemViewModelBase;
    auto const command = std::make_shared<Base::TCommand<void>>([] {}, L"test.SubOption", false);
    S subOption(SubOptionType::SubOption4, true, false, true, false);
    EXPECT_EQ(SubOptionType::SubOption4, subOption.GetItemType().Get());
    Orx2Test::PropertyContract<S>()
        .Custom<bool>(
            "Visibility", [](S const& s) -> auto& { return s.GetVisibility(); },
            [](S & s) -> auto& { return s.GetVisibility(); }, true, false)
        .Custom<bool>(
            "Enabled", [](S const& s) -> auto& { return s.GetEnabled(); },
            [](S & s) -> auto& { return s.GetEnabled(); }, false, true)
        .Custom<bool>(
            "Selected", [](S const& s) -> auto& { return s.GetSelected(); },
            [](S & s) -> auto& { return s.GetSelected(); }, true, false)
        .Row<CommandPointer>("Command", &S::GetCommand, &S::GetCommand, nullptr, command)
        .Check(subOption);
}

TEST(LiveOptions, ASliderOnlyWhenAskedWithItsDefaults)
{
    CLiveSubOptionsItemViewModelBase const plain(SubOptionType::SubOption0, true, true, false, false);
    CLiveSubOptionsItemViewModelBase withSlider(SubOptionType::SubOption0, true, true, false, true);
    EXPECT_EQ(nullptr, plain.GetSlider());
    std::shared_ptr<Base::ISliderViewModel> const slider =
        static_cast<CLiveSubOptionsItemViewModelBase const&>(withSlider).GetSlider();
    ASSERT_NE(nullptr, slider);
    EXPECT_EQ(slider, withSlider.GetSlider());

    using Slider = CSliderViewModelBase;
    auto const row = [](Base::TProperty<double>& (Slider::*getter)())
    {
        return std::make_pair(
            [getter](Slider const& s) -> auto& { return (const_cast<Slider&>(s).*getter)(); },
            [getter](Slider & s) -> auto& { return (s.*getter)(); });
    };
    Orx2Test::PropertyContract<Slider> contract;
    struct SRow
    {
        char const* name;
        Base::TProperty<double>& (Slider::*getter)();
        double initial;
        double other;
    };
    SRow const rows[] = {{"Value", &Slider::GetValue, 0.0, 42.5},
                         {"ValueMin", &Slider::GetValueMin, 0.0, -10.0},
                         {"ValueMax", &Slider::GetValueMax, 0.0, 100.0},
                         {"StepSmall", &Slider::GetStepSmall, 5.0, 1.0},
                         {"StepLarge", &Slider::GetStepLarge, 15.0, 10.0}};
    for (SRow const& r : rows)
    {
        auto const [constGetter, getter] = row(r.getter);
        contract.Custom<double>(r.name, constGetter, getter, r.initial, r.other);
    }
    contract.Check(*withSlider.GetSlider());
}

TEST(LiveOptions, ASliderStoresAValueOutsideItsRangeUnchanged)
{
    CSliderViewModelBase slider;
    Base::ISliderViewModel& gui = slider;
    gui.GetValueMin().Set(10.0);
    gui.GetValueMax().Set(20.0);
    for (double const value : {20.5, 1e9, 9.0, -3.0})
    {
        gui.GetValue().Set(value);
        EXPECT_EQ(value, gui.GetValue().Get());
    }
    EXPECT_EQ(10.0, gui.GetValueMin().Get());
    EXPECT_EQ(20.0, gui.GetValueMax().Get());
}
} // namespace
