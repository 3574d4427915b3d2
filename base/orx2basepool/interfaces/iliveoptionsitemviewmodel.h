#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/interfaces/ilivesuboptionsviewmodel.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"
#include "host/foundation/cstringw.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// One option of the live options bar: flags, an info text, a command and its own panel of
/// sub-options. Every property may be read from any thread and lives as long as the option.
class ILiveOptionsItemViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The kind of option. The library names one enumerator per slot of the bar; what each stands for
    /// is the configuring code's choice (any 32-bit value may be used).
    enum class EItemTypeLiveOptions : std::int32_t
    {
        Option0 = 0,
        Option1 = 1,
        Option2 = 2,
        Option3 = 3,
        Option4 = 4,
        Option5 = 5,
        Option6 = 6,
    };

    ~ILiveOptionsItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual TProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `Enabled`.
    virtual TProperty<bool> const& GetEnabled() const = 0;
    /// The property the GUI binds as `Selected`.
    virtual TProperty<bool> const& GetSelected() const = 0;
    /// The property the GUI binds as `InfoText`.
    virtual TProperty<CStringW> const& GetInfoText() const = 0;
    /// The command the GUI executes as `Command`.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCommand() const = 0;
    /// The option's own sub-options panel; never empty.
    virtual std::shared_ptr<ILiveSubOptionsViewModel> GetLiveSubOptions() const = 0;
    /// The property the GUI binds as `ItemType`.
    virtual IProperty<EItemTypeLiveOptions> const& GetItemType() const = 0;
};

// "Command": the getter names nothing but the command, so the suffix stays.
/// What the GUI binds of `ILiveOptionsItemViewModel`, by name (see TDescription).
template <> struct TDescription<ILiveOptionsItemViewModel> : Describe::TMembersOf<ILiveOptionsItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("Enabled", &I::GetEnabled),
            Property<bool>("Selected", &I::GetSelected),
            Property<CStringW>("InfoText", &I::GetInfoText),
            Command<>("Command", &I::GetCommand),
            ViewModel<ILiveSubOptionsViewModel>("LiveSubOptions", &I::GetLiveSubOptions),
            Property<I::EItemTypeLiveOptions>("ItemType", &I::GetItemType));
        // clang-format on
    }
};
} // namespace Base
