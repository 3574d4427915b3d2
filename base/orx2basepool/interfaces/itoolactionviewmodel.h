#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// One action button of a tool: its type, visibility, enabled and selected flags and the command the GUI
/// executes when the button is pressed. The properties live as long as the view model; read them on any
/// thread, and re-read on PropertyChanged.
class IToolActionViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The eight actions of a tool, by position in the tool's action array. What each one does is the
    /// configuring code's choice (a tool item builds one action per value, 0 to 7, and action 0 starts
    /// selected); the names only number them. Values outside 0 to 7 are not rejected: they only appear
    /// in the action's command name.
    enum class ItemTypeToolActionsEnum : std::int32_t
    {
        ToolAction0 = 0,
        ToolAction1 = 1,
        ToolAction2 = 2,
        ToolAction3 = 3,
        ToolAction4 = 4,
        ToolAction5 = 5,
        ToolAction6 = 6,
        ToolAction7 = 7,
    };

    ~IToolActionViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `Enabled`.
    virtual IProperty<bool> const& GetEnabled() const = 0;
    /// The property the GUI binds as `Selected`.
    virtual IProperty<bool> const& GetSelected() const = 0;
    /// The command the button executes; may be replaced (PropertyChanged) and may be empty.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCommand() const = 0;
    /// The property the GUI binds as `ItemType`.
    virtual IProperty<ItemTypeToolActionsEnum> const& GetItemType() const = 0;
};

// "Command": the getter names nothing but the command, so the suffix stays.
/// What the GUI binds of `IToolActionViewModel`, by name (see TDescription).
template <> struct TDescription<IToolActionViewModel> : Describe::TMembersOf<IToolActionViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("Enabled", &I::GetEnabled),
            Property<bool>("Selected", &I::GetSelected),
            Command<>("Command", &I::GetCommand),
            Property<I::ItemTypeToolActionsEnum>("ItemType", &I::GetItemType));
        // clang-format on
    }
};
} // namespace Base
