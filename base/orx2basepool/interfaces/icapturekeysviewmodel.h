#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"

#include <memory>

namespace Base
{
/// Where the GUI hands raw key presses and releases to the business layer: it executes the pressed
/// command when a key goes down and the released command when it goes up, each with the key and the
/// key data it received. Either command may be empty (the GUI then drops the key) and may be replaced
/// at any time (PropertyChanged).
class ICaptureKeysViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The key command: the key's code and its state.
    using KeyCommand = ICommand<unsigned int, unsigned int>;

    ~ICaptureKeysViewModel() override = default;

    /// The command the GUI executes as `KeyPressed`.
    virtual TProperty<std::shared_ptr<KeyCommand>> const& GetKeyPressedCommand() const = 0;
    /// The command the GUI executes as `KeyReleased`.
    virtual TProperty<std::shared_ptr<KeyCommand>> const& GetKeyReleasedCommand() const = 0;
};

/// What the GUI binds of `ICaptureKeysViewModel`, by name (see TDescription).
template <> struct TDescription<ICaptureKeysViewModel> : Describe::TMembersOf<ICaptureKeysViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Command<unsigned int, unsigned int>("KeyPressed", &I::GetKeyPressedCommand),
            Command<unsigned int, unsigned int>("KeyReleased", &I::GetKeyReleasedCommand));
        // clang-format on
    }
};
} // namespace Base
