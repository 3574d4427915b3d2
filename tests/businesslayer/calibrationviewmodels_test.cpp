// The calibration view models' properties keep the property contract.
#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccameracalibrationviewmodelbase.h"
#include "businesslayer/common/ccolorcalibdialogviewmodelbase.h"
#include "support/commandenvironment.h"
#include "support/propertycontract.h"

#include <limits>
#include <memory>

namespace
{
using Base::CCalibrationWaitRequest;
using Camera = Base::ICameraCalibrationViewModel;
using Command = std::shared_ptr<Base::ICommand<>>;
class CalibrationViewModels : public Orx2Test::CommandEnvironment
{
};

/// A request that differs from the default one in every field, its progress not a number.
CCalibrationWaitRequest Asking()
{
    CCalibrationWaitRequest request;
    request.Set(Camera::ECalibrationState::WaitingForNumber, CStringW(L"Type"),
                Base::ICalibrationWaitRequest::EQuestionType::OkCancel,
                Base::ICalibrationWaitRequest::EDeviceType(2), L"42", true);
    request.Set(3U, std::numeric_limits<float>::quiet_NaN(), true,
                Base::ICalibrationWaitRequest::EDeviceType(2));
    return request;
}

TEST_F(CalibrationViewModels, PropertiesKeepTheirContract)
{
    using VM = BusinessLayer::CCameraCalibrationViewModelBase;
    VM camera;
    Orx2Test::PropertyContract<VM>()
        .Accessor<bool>("Visibility", ORX2_ACCESSOR(GetVisibility), false, true)
        .Accessor<EORXAcquireDevice>("AcquireDevice", ORX2_ACCESSOR(GetAcquireDevice),
                                     EORXAcquireDevice::NoDevice, EORXAcquireDevice(1))
        .Accessor<Camera::ECalibrationType>("CalibrationType", ORX2_ACCESSOR(GetCalibrationType),
                                            Camera::ECalibrationType::Default, Camera::ECalibrationType(2))
        .Accessor<Camera::ECalibrationState>("CalibrationState", ORX2_ACCESSOR(GetCalibrationState),
                                             Camera::ECalibrationState::NotRunning,
                                             Camera::ECalibrationState::InProgress)
        .Accessor<CCalibrationWaitRequest>("CalibrationWaitRequest", ORX2_ACCESSOR(GetCalibrationWaitRequest),
                                           CCalibrationWaitRequest(), Asking())
        .Check(camera);

    Command const answer = std::make_shared<Base::TCommand<void>>([] {}, L"Answer", false);
    using Dialog = BusinessLayer::CColorCalibDialogViewModelBase;
    Dialog dialog;
    Orx2Test::PropertyContract<Dialog>()
        .Accessor<bool>("Visible", ORX2_ACCESSOR(GetVisible), false, true)
        .Accessor<CCalibrationWaitRequest>("CalibrationWaitRequest", ORX2_ACCESSOR(GetCalibrationWaitRequest),
                                           CCalibrationWaitRequest(), Asking())
        .Accessor<Command>("OKPressed", ORX2_ACCESSOR(GetOKPressed), nullptr, answer)
        .Accessor<Command>("CancelPressed", ORX2_ACCESSOR(GetCancelPressed), nullptr, answer)
        .Accessor<Command>("CustomPressed", ORX2_ACCESSOR(GetCustomPressed), nullptr, answer)
        .Check(dialog);
}
} // namespace
