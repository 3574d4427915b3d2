#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "businesslayer/common/cliveoptionsviewmodelbase.h"
#include "businesslayer/common/csidepanelviewmodel.h"
#include "reference_host/clivevideoviewmodel.h"

#include <array>
#include <memory>
#include <string>

namespace Orx2Sim
{
/// The acquisition screen's button trees and live picture: the side panel's tools with their eight
/// actions, the live image (its crosshair and visibility follow the host's live-view status and hide
/// flag by themselves), the reference product's live video panel, and the live options bar with one
/// option whose sub-option has a slider.
///
/// Steps: engine-live-view and engine-live-image-hidden (the engine changes the host's values from a
/// thread of its own, any 32-bit status included), tool-action (the GUI executes a tool action's command
/// by its registered name), choose-tool (the product marks a tool and one of its actions chosen),
/// live-option (the product marks one option of the bar selected), slider (the GUI moves the slider; the
/// value is stored as given, also outside the range). The live video's recording commands are
/// registered as "CLiveVideoViewModel.…" and run through `execute`. The four view models sit in their
/// slots of the GUI configuration from Start to Stop.
class CAcquisitionScreenModule final : public ISimModule
{
public:
    /// The tools the host puts into the side panel, in slot order; their names prefix their actions'
    /// command names ("Trim.CToolActionViewModelBase.Command_3").
    static constexpr std::array<char const*, 3> kToolNames{"Trim", "Lock", "Cut"};
    /// The options of the live options bar, in slot order; the second has the sub-options.
    static constexpr std::array<char const*, 3> kOptionNames{"Light", "Zoom", "Color"};

    /// The module's view models as the host builds them for one GUI configuration: filled, not yet
    /// published. The storm builds further sets for the screens it builds again.
    struct SViewModels
    {
        std::shared_ptr<BusinessLayer::CLiveImageViewModelBase> liveImage;
        std::shared_ptr<ReferenceHost::CLiveVideoViewModel> liveVideo;
        std::shared_ptr<BusinessLayer::CSidePanelViewModel> sidePanel;
        std::shared_ptr<BusinessLayer::CLiveOptionsViewModelBase> liveOptions;
        std::shared_ptr<BusinessLayer::CSliderViewModelBase> slider; // the zoom's sliding sub-option
    };
    /// Throws what the library's constructors throw.
    static SViewModels Build(std::shared_ptr<ReferenceHost::CAcquisitionProperties> const& properties);
    /// Writes the four view models into their slots of `gui`.
    static void Publish(SViewModels const& viewModels, ReferenceHost::CGuiConfiguration& gui);

    /// The product marks `tool` chosen (the others not) and its `action` selected, as `choose-tool` does.
    static void ChooseTool(BusinessLayer::CSidePanelViewModel& panel, std::size_t tool, std::size_t action);
    /// The product marks one option of the bar selected, the others not, as `live-option` does.
    static void SelectLiveOption(BusinessLayer::CLiveOptionsViewModelBase& options, std::size_t option);

    void Start(CSimHost& host) override;
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    void RenderSidePanel(CScreenCanvas& canvas) const;
    void RenderLivePicture(CScreenCanvas& canvas) const;
    void RenderLiveOptions(CScreenCanvas& canvas) const;

    ReferenceHost::CGuiConfiguration* m_gui = nullptr; // the slots the view models are published in
    std::shared_ptr<BusinessLayer::CLiveImageViewModelBase> m_liveImage;
    std::shared_ptr<ReferenceHost::CLiveVideoViewModel> m_liveVideo;
    std::shared_ptr<BusinessLayer::CSidePanelViewModel> m_sidePanel;
    std::shared_ptr<BusinessLayer::CLiveOptionsViewModelBase> m_liveOptions;
    std::shared_ptr<BusinessLayer::CSliderViewModelBase> m_slider; // the zoom's sliding sub-option
    Command<int> m_engineLiveView;
    Command<bool> m_engineLiveImageHidden;
    Command<int const&, std::wstring const&> m_chooseTool;
    Command<int> m_selectLiveOption;
    Command<int> m_moveSlider;
};
} // namespace Orx2Sim
