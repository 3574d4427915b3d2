#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "host/values/eorxacquiredevice.h"

#include <cstdint>

namespace Base
{
/// The observable state of a camera calibration run: whether the calibration screen is shown, the
/// device, the kind of calibration, its phase and the engine's current wait request. The host writes
/// it, the GUI reads it; every property lives as long as the view model.
class ICameraCalibrationViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The phase of the run; the engine's numbering, shared with the wait request.
    using ECalibrationState = ICalibrationWaitRequest::ECalibrationState;

    /// The kind of calibration. The values are the host's and are passed on untouched; 0 is the
    /// initial one.
    enum class ECalibrationType : std::int32_t
    {
        Default = 0,
    };

    ~ICameraCalibrationViewModel() override = default;

    /// For the host's code: the same property, writable (the GUI reads the const one).
    virtual IProperty<bool>& GetVisibility() = 0;
    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// For the host's code: the same property, writable (the GUI reads the const one).
    virtual IProperty<EORXAcquireDevice>& GetAcquireDevice() = 0;
    /// The property the GUI binds as `AcquireDevice`.
    virtual IProperty<EORXAcquireDevice> const& GetAcquireDevice() const = 0;
    /// For the host's code: the same property, writable (the GUI reads the const one).
    virtual IProperty<ECalibrationType>& GetCalibrationType() = 0;
    /// The property the GUI binds as `CalibrationType`.
    virtual IProperty<ECalibrationType> const& GetCalibrationType() const = 0;
    /// For the host's code: the same property, writable (the GUI reads the const one).
    virtual IProperty<ECalibrationState>& GetCalibrationState() = 0;
    /// The property the GUI binds as `CalibrationState`.
    virtual IProperty<ECalibrationState> const& GetCalibrationState() const = 0;
    /// The concrete property: the GUI and the step menu read the whole request through it.
    virtual TProperty<CCalibrationWaitRequest>& GetCalibrationWaitRequest() = 0;
    /// The property the GUI binds as `CalibrationWaitRequest`.
    virtual TProperty<CCalibrationWaitRequest> const& GetCalibrationWaitRequest() const = 0;
};

/// What the GUI binds of `ICameraCalibrationViewModel`, by name (see TDescription).
template <>
struct TDescription<ICameraCalibrationViewModel> : Describe::TMembersOf<ICameraCalibrationViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<EORXAcquireDevice>("AcquireDevice", &I::GetAcquireDevice),
            Property<I::ECalibrationType>("CalibrationType", &I::GetCalibrationType),
            Property<I::ECalibrationState>("CalibrationState", &I::GetCalibrationState),
            Property<CCalibrationWaitRequest>("CalibrationWaitRequest", &I::GetCalibrationWaitRequest));
        // clang-format on
    }
};
} // namespace Base
