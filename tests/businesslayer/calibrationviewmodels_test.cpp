// The two calibration view models that only hold state: their properties keep the property contract.
#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccameracalibrationviewmodelbase.h"
#include "businesslayer/common/ccolorcalibdialogviewmodelbase.h"
#include "support/commandenvironment.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace
{
using Base::CCalibrationWaitRequest;
using BusinessLayer::CCameraCalibrationViewModelBase;
using BusinessLayer::CColorCalibDialogViewModelBase;
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
                static_cast<Base::ICalibrationWaitRequest::EDeviceType>(2), L"42", true);
    request.Set(3U, std::numeric_limits<float>::quiet_NaN(), true,
                static_cast<Base::ICalibrationWaitRequest::EDeviceType>(2));
    return request;
}

TEST_F(CalibrationViewModels, CameraCalibrationPropertiesKeepTheirContract)
{
    using VM = CCameraCalibrationViewModelBase;
    VM viewModel;
    Orx2Test::PropertyContract<VM>()
        .Row<bool>("Visibility", &VM::GetVisibility, &VM::GetVisibility, false, true)
        .Row<EORXAcquireDevice>("AcquireDevice", &VM::GetAcquireDevice, &VM::GetAcquireDevice,
                                EORXAcquireDevice::NoDevice, static_cast<EORXAcquireDevice>(1))
        .Row<Camera::ECalibrationType>("CalibrationType", &VM::GetCalibrationType, &VM::GetCalibrationType,
                                       Camera::ECalibrationType::Default,
                                       static_cast<Camera::ECalibrationType>(2))
        .Row<Camera::ECalibrationState>("CalibrationState", &VM::GetCalibrationState,
                                        &VM::GetCalibrationState, Camera::ECalibrationState::NotRunning,
                                        Camera::ECalibrationState::InProgress)
        .Custom<CCalibrationWaitRequest>(
            "CalibrationWaitRequest",
            [](VM const& vm) -> auto const& { return vm.GetCalibrationWaitRequest(); },
            [](VM & vm) -> auto& { return vm.GetCalibrationWaitRequest(); }, CCalibrationWaitRequest(),
            Asking())
        .Check(viewModel);
}

TEST_F(CalibrationViewModels, ColorCalibrationDialogPropertiesKeepTheirContract)
{
    using VM = CColorCalibDialogViewModelBase;
    Command const answer = std::make_shared<Base::TCommand<void>>([] {}, L"Answer", false);
    VM viewModel;
    Orx2Test::PropertyContract<VM>()
        .Custom<bool>(
            "Visible", [](VM const& vm) -> auto const& { return vm.GetVisible(); },
            [](VM & vm) -> auto& { return vm.GetVisible(); }, false, true)
        .Custom<CCalibrationWaitRequest>(
            "CalibrationWaitRequest",
            [](VM const& vm) -> auto const& { return vm.GetCalibrationWaitRequest(); },
            [](VM & vm) -> auto& { return vm.GetCalibrationWaitRequest(); }, CCalibrationWaitRequest(),
            Asking())
        .Custom<Command>(
            "OKPressed", [](VM const& vm) -> auto const& { return vm.GetOKPressed(); },
            [](VM & vm) -> auto& { return vm.GetOKPressed(); }, nullptr, answer)
        .Custom<Command>(
            "CancelPressed", [](VM const& vm) -> auto const& { return vm.GetCancelPressed(); },
            [](VM & vm) -> auto& { return vm.GetCancelPressed(); }, nullptr, answer)
        .Custom<Command>(
            "CustomPressed", [](VM const& vm) -> auto const& { return vm.GetCustomPressed(); },
            [](VM & vm) -> auto& { return vm.GetCustomPressed(); }, nullptr, answer)
        .Check(viewModel);
}
} // namespace
