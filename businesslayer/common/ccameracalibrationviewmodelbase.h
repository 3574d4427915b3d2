#pragma once
#include "base/orx2basepool/interfaces/icameracalibrationviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

namespace BusinessLayer
{
/// The camera calibration state for the GUI, written by the host's calibration driver. It never changes
/// its own properties. A new instance is invisible, has no device (-1), state 0, type 0 and a default
/// wait request.
///
/// The host follows `GetCalibrationWaitRequest()` (its value-changed event) and hands each new request
/// to the calibration step menu's SetAllProperties.
///
/// Thread-safety: every property may be written and read from any thread; notifications run on the
/// writing thread, and a write of an equal value notifies nobody.
class ORX2_COMMON_EXPORT CCameraCalibrationViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ICameraCalibrationViewModel>
{
public:
    CCameraCalibrationViewModelBase();
    ~CCameraCalibrationViewModelBase() override;

    Base::TProperty<bool>& GetVisibility() override { return m_visibility; }
    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    Base::TProperty<EORXAcquireDevice>& GetAcquireDevice() override { return m_acquireDevice; }
    Base::IProperty<EORXAcquireDevice> const& GetAcquireDevice() const override { return m_acquireDevice; }
    Base::TProperty<ECalibrationType>& GetCalibrationType() override { return m_calibrationType; }
    Base::IProperty<ECalibrationType> const& GetCalibrationType() const override { return m_calibrationType; }
    Base::TProperty<ECalibrationState>& GetCalibrationState() override { return m_calibrationState; }
    Base::IProperty<ECalibrationState> const& GetCalibrationState() const override
    {
        return m_calibrationState;
    }
    Base::TProperty<Base::CCalibrationWaitRequest>& GetCalibrationWaitRequest() override
    {
        return m_waitRequest;
    }
    Base::TProperty<Base::CCalibrationWaitRequest> const& GetCalibrationWaitRequest() const override
    {
        return m_waitRequest;
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility{false, *this};
    Base::TProperty<EORXAcquireDevice> m_acquireDevice{EORXAcquireDevice::NoDevice, *this};
    Base::TProperty<ECalibrationState> m_calibrationState{ECalibrationState::NotRunning, *this};
    Base::TProperty<ECalibrationType> m_calibrationType{ECalibrationType::Default, *this};
    Base::TProperty<Base::CCalibrationWaitRequest> m_waitRequest{Base::CCalibrationWaitRequest(), *this};
};
} // namespace BusinessLayer
