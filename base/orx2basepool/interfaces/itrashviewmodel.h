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

    virtual IProperty<bool> const& GetVisibility() const = 0;
    virtual IProperty<bool> const& GetIsEnabled() const = 0;
    /// A plain command slot: setting it notifies nobody; an empty pointer while none is installed.
    virtual std::shared_ptr<ICommand<>> GetClickCommand() const = 0;
    virtual void SetClickCommand(std::shared_ptr<ICommand<>> const& command) = 0;
};

template <> struct TDescription<ITrashViewModel> : Describe::TMembersOf<ITrashViewModel>
{
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
