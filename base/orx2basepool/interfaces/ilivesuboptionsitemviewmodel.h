#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/isliderviewmodel.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// One sub-option of a live option: flags, a command and, when it was made with one, a slider. Every
/// property may be read from any thread and lives as long as the sub-option.
class ILiveSubOptionsItemViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The kind of sub-option. The library names one enumerator per slot of a sub-options panel; what
    /// each stands for is the configuring code's choice (any 32-bit value may be used).
    enum class EItemTypeLiveSubOptions : std::int32_t
    {
        SubOption0 = 0,
        SubOption1 = 1,
        SubOption2 = 2,
        SubOption3 = 3,
        SubOption4 = 4,
        SubOption5 = 5,
        SubOption6 = 6,
    };

    ~ILiveSubOptionsItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual TProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `Enabled`.
    virtual TProperty<bool> const& GetEnabled() const = 0;
    /// The property the GUI binds as `Selected`.
    virtual TProperty<bool> const& GetSelected() const = 0;
    /// The slider, or empty when the sub-option was made without one.
    virtual std::shared_ptr<ISliderViewModel> GetSlider() const = 0;
    /// The command the GUI executes as `Command`.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCommand() const = 0;
    /// The property the GUI binds as `ItemType`.
    virtual IProperty<EItemTypeLiveSubOptions> const& GetItemType() const = 0;
};

// "Command": the getter names nothing but the command, so the suffix stays.
/// What the GUI binds of `ILiveSubOptionsItemViewModel`, by name (see TDescription).
template <>
struct TDescription<ILiveSubOptionsItemViewModel> : Describe::TMembersOf<ILiveSubOptionsItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("Enabled", &I::GetEnabled),
            Property<bool>("Selected", &I::GetSelected),
            ViewModel<ISliderViewModel>("Slider", &I::GetSlider),
            Command<>("Command", &I::GetCommand),
            Property<I::EItemTypeLiveSubOptions>("ItemType", &I::GetItemType));
        // clang-format on
    }
};
} // namespace Base
