#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/cdevicestatechanged.h"

#include <memory>

namespace Base
{
/// What the GUI's camera (acquisition) button is bound to: the camera device's state, the command the
/// button executes, and whether the button is locked or enabled. The properties live as long as the
/// view model; read them on any thread and re-read on PropertyChanged.
class IAcquisitionButtonViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~IAcquisitionButtonViewModel() override = default;

    /// The last reported state of the camera device.
    virtual IProperty<CDeviceStateChanged> const& GetCameraDeviceState() const = 0;
    /// The command the button executes (empty: none). Not a property: read it when the button is
    /// pressed; replacing it notifies nobody.
    virtual std::shared_ptr<ICommand<>> GetCameraCommand() = 0;
    /// Replaces what `GetCameraCommand` hands out.
    virtual void SetCameraCommand(std::shared_ptr<ICommand<>> const& command) = 0;
    /// True: the button is shown but cannot be used.
    virtual IProperty<bool> const& GetIsLocked() const = 0;
    /// The property the GUI binds as `IsEnabled`.
    virtual IProperty<bool> const& IsEnabled() const = 0;
};

/// What the GUI binds of `IAcquisitionButtonViewModel`, by name (see TDescription).
template <>
struct TDescription<IAcquisitionButtonViewModel> : Describe::TMembersOf<IAcquisitionButtonViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<CDeviceStateChanged>("CameraDeviceState", &I::GetCameraDeviceState),
            Command<>("Camera", &I::GetCameraCommand),
            Property<bool>("IsLocked", &I::GetIsLocked),
            Property<bool>("IsEnabled", &I::IsEnabled));
        // clang-format on
    }
};
} // namespace Base
