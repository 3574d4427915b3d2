#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"
#include "reference_host/ccalibrationdriver.h"

#include <memory>
#include <vector>

namespace Orx2Sim
{
/// The camera calibration and the colour calibration dialog: the camera calibration view model, its
/// step menu and the colour dialog, driven by the reference host's calibration driver as the engine.
/// The engine asks (a wait request); the user answers through the menu's registered commands, as the
/// GUI does, or through the dialog's answer commands. Steps: calibration, colour-calibration, press,
/// type. The section shows while the calibration or the dialog is visible.
///
/// The camera calibration and the dialog sit in their slots of the GUI configuration from Start to
/// Stop. While the engine asks through the camera calibration, the host shows the calibration's menu in
/// the step-menu slot; when the calibration ends (state 0) the acquisition step menu returns there.
class CCalibrationModule final : public ISimModule
{
public:
    /// The script the engine plays for one question: on the camera (`target` 0; state 0 ends the
    /// calibration) or on the colour dialog (`target` 1, shown until it has its answer), awaiting the
    /// answer that `question` asks for. Throws std::bad_alloc.
    static std::vector<ReferenceHost::CCalibrationDriver::SStep> MakeScript(int target, int state, int question,
                                                                          unsigned int id, CStringW text,
                                                                          CStringW initial, float progress);

    void Start(CSimHost& host) override;
    void DeclareProperties(CPropertyCatalog& catalog) override;
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    /// target (0 camera, 1 colour dialog), state, question, instruction id, text, initial value, progress
    using AskCommand =
        Base::TSerializableCommand<void, int, int, int, unsigned int, CStringW, CStringW, float>;

    void Ask(int target, int state, int question, unsigned int id, CStringW text, CStringW initial,
             float progress);

    ReferenceHost::CGuiConfiguration* m_gui = nullptr;
    std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> m_camera;
    std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> m_menu;
    std::shared_ptr<BusinessLayer::CColorCalibDialogViewModelBase> m_dialog;
    std::unique_ptr<ReferenceHost::CCalibrationDriver> m_driver;
    std::shared_ptr<AskCommand> m_ask;
};
} // namespace Orx2Sim
