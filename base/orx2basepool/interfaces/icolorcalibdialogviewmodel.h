#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"
#include "host/values/ccalibrationwaitrequest.h"

#include <memory>

namespace Base
{
/// The observable state of the colour calibration dialog: whether it is shown, the engine's wait request
/// and the answer commands of its three buttons (OK, Cancel and a custom one). The GUI executes the
/// command of a pressed button from its slot; an empty slot has nothing to execute. Every property lives
/// as long as the view model.
class IColorCalibDialogViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~IColorCalibDialogViewModel() override = default;

    /// The command the GUI executes as `OKPressed`.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetOKPressed() const = 0;
    /// The command the GUI executes as `CancelPressed`.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCancelPressed() const = 0;
    /// The command the GUI executes as `CustomPressed`.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCustomPressed() const = 0;
    /// The property the GUI binds as `Visible`.
    virtual TProperty<bool> const& GetVisible() const = 0;
    /// For the host's code: the same property, writable (the GUI reads the const one).
    virtual TProperty<CCalibrationWaitRequest>& GetCalibrationWaitRequest() = 0;
    /// The property the GUI binds as `CalibrationWaitRequest`.
    virtual TProperty<CCalibrationWaitRequest> const& GetCalibrationWaitRequest() const = 0;
};

/// What the GUI binds of `IColorCalibDialogViewModel`, by name (see TDescription).
template <> struct TDescription<IColorCalibDialogViewModel> : Describe::TMembersOf<IColorCalibDialogViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Command<>("OKPressed", &I::GetOKPressed),
            Command<>("CancelPressed", &I::GetCancelPressed),
            Command<>("CustomPressed", &I::GetCustomPressed),
            Property<bool>("Visible", &I::GetVisible),
            Property<CCalibrationWaitRequest>("CalibrationWaitRequest", &I::GetCalibrationWaitRequest));
        // clang-format on
    }
};
} // namespace Base
