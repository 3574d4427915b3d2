#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <memory>

namespace Base
{
/// What the GUI sees of the area panel's trash: a button and a drop target for tiles.
class ITrashViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~ITrashViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `IsEnabled`.
    virtual IProperty<bool> const& GetIsEnabled() const = 0;
    /// A plain command slot: setting it notifies nobody; an empty pointer while none is installed.
    virtual std::shared_ptr<ICommand<>> GetClickCommand() const = 0;
    /// Replaces what `GetClickCommand` hands out.
    virtual void SetClickCommand(std::shared_ptr<ICommand<>> const& command) = 0;
};

/// What the GUI binds of `ITrashViewModel`, by name (see TDescription).
template <> struct TDescription<ITrashViewModel> : Describe::TMembersOf<ITrashViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("IsEnabled", &I::GetIsEnabled),
            Command<>("Click", &I::GetClickCommand));
        // clang-format on
    }
};
} // namespace Base
