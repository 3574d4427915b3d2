#include "cacquisitionscreenmodule.h"

#include "../describedvalues.h"
#include "../makesimulatorcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/foundation/jbsingleton.h"

#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

namespace Orx2Sim
{
namespace
{
using ToolType = Base::ISidePanelToolItemViewModel::EItemTypeTools;
using OptionType = Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions;
using SubOptionType = Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions;

constexpr std::size_t kSlidingOption = 1;
constexpr double kSliderMax = 100.0;

/// Runs `work` on a thread of its own, as the engine does, and waits for it; rethrows what it threw.
template <class Work> void OnEngineThread(Work&& work)
{
    std::exception_ptr failure;
    std::thread engine(
        [&]
        {
            try
            {
                work();
            }
            catch (...)
            {
                failure = std::current_exception();
            }
        });
    engine.join();
    if (failure)
        std::rethrow_exception(failure);
}

/// Marks the element at `chosen` selected and every other one not, as a radio group does.
template <class Items> void SelectOnly(Items const& items, std::size_t chosen)
{
    for (std::size_t index = 0; index < items.size(); ++index)
        if (items[index])
            items[index]->GetSelected().Set(index == chosen);
}

std::size_t IndexOf(std::string const& name, std::array<char const*, 3> const& names)
{
    for (std::size_t index = 0; index < names.size(); ++index)
        if (name == names[index])
            return index;
    throw std::invalid_argument("unknown name " + name);
}
} // namespace

CAcquisitionScreenModule::SViewModels
CAcquisitionScreenModule::Build(std::shared_ptr<ReferenceHost::CAcquisitionProperties> const& properties)
{
    SViewModels built;
    built.liveImage = std::make_shared<BusinessLayer::CLiveImageViewModelBase>(properties, properties);
    built.liveVideo = std::make_shared<ReferenceHost::CLiveVideoViewModel>();
    built.liveVideo->GetVisibility().Set(true);
    built.liveVideo->GetIsEnabled().Set(true);
    // The configuring code fills the panels before it publishes them.
    built.sidePanel = std::make_shared<BusinessLayer::CSidePanelViewModel>();
    for (std::size_t slot = 0; slot < kToolNames.size(); ++slot)
    {
        auto& tool = built.sidePanel->GetToolsItems()[slot];
        tool = std::make_shared<BusinessLayer::CSidePanelItemViewModelTool>(
            Widen(kToolNames[slot]), static_cast<ToolType>(slot), true, slot != 2, false);
        tool->SetSortIndex(slot);
    }
    built.sidePanel->GetToolsVisibility().Set(true);

    built.liveOptions = std::make_shared<BusinessLayer::CLiveOptionsViewModelBase>();
    for (std::size_t slot = 0; slot < kOptionNames.size(); ++slot)
        built.liveOptions->GetLiveOptionsItems()[slot] =
            std::make_shared<BusinessLayer::CLiveOptionsItemViewModelBase>(
                static_cast<OptionType>(slot), true, true, slot == 0,
                CStringW(Widen(kOptionNames[slot]).c_str()));
    auto& subOptions =
        built.liveOptions->GetLiveOptionsItems()[kSlidingOption]->GetLiveSubOptions()->GetLiveSubOptionsItems();
    subOptions[0] = std::make_shared<BusinessLayer::CLiveSubOptionsItemViewModelBase>(
        SubOptionType::SubOption0, true, true, true, true);
    subOptions[1] = std::make_shared<BusinessLayer::CLiveSubOptionsItemViewModelBase>(
        SubOptionType::SubOption1, true, true, false, false);
    built.slider = subOptions[0]->GetSlider();
    built.slider->GetValueMax().Set(kSliderMax);
    built.slider->GetValue().Set(kSliderMax / 2);
    return built;
}

void CAcquisitionScreenModule::Publish(SViewModels const& viewModels, ReferenceHost::CGuiConfiguration& gui)
{
    gui.GetLiveImageConfiguration().Set(viewModels.liveImage);
    gui.GetLiveVideoConfiguration().Set(viewModels.liveVideo);
    gui.GetSidePanelConfiguration().Set(viewModels.sidePanel);
    gui.GetLiveOptionsConfiguration().Set(viewModels.liveOptions);
}

void CAcquisitionScreenModule::ChooseTool(BusinessLayer::CSidePanelViewModel& panel, std::size_t tool,
                                          std::size_t action)
{
    SelectOnly(panel.GetToolsItems(), tool);
    SelectOnly(panel.GetToolsItems()[tool]->GetItemTypeToolActions(), action);
}

void CAcquisitionScreenModule::SelectLiveOption(BusinessLayer::CLiveOptionsViewModelBase& options,
                                                std::size_t option)
{
    SelectOnly(options.GetLiveOptionsItems(), option);
}

void CAcquisitionScreenModule::Start(CSimHost& host)
{
    auto const& properties = host.GetProperties();
    SViewModels const built = Build(properties);
    m_liveImage = built.liveImage;
    m_liveVideo = built.liveVideo;
    m_sidePanel = built.sidePanel;
    m_liveOptions = built.liveOptions;
    m_slider = built.slider;
    m_gui = &host.GetGuiConfiguration();
    Publish(built, *m_gui);

    m_engineLiveView = MakeSimulatorCommand<int>(
        L"EngineLiveViewStatus", [properties](int status)
        { properties->SetLiveViewStatus(static_cast<BusinessLayer::ELiveViewStatus>(status)); });
    m_engineLiveImageHidden = MakeSimulatorCommand<bool>(L"EngineLiveImageHidden", [properties](bool hidden)
                                                         { properties->SetLiveImageHidden(hidden); });
    auto const panel = m_sidePanel;
    m_chooseTool = MakeSimulatorCommand<int const&, std::wstring const&>(
        L"ChooseTool", [panel](int const& action, std::wstring const& name)
        { ChooseTool(*panel, IndexOf(Narrow(name), kToolNames), static_cast<std::size_t>(action)); });
    auto const options = m_liveOptions;
    m_selectLiveOption = MakeSimulatorCommand<int>(
        L"SelectLiveOption", [options](int option) { SelectLiveOption(*options, static_cast<std::size_t>(option)); });
    auto const slider = m_slider;
    m_moveSlider =
        MakeSimulatorCommand<int>(L"MoveSlider", [slider](int value) { slider->GetValue().Set(value); });
}

void CAcquisitionScreenModule::Stop()
{
    m_moveSlider.reset();
    m_selectLiveOption.reset();
    m_chooseTool.reset();
    m_engineLiveImageHidden.reset();
    m_engineLiveView.reset();
    m_gui->GetLiveOptionsConfiguration().Set(nullptr);
    m_gui->GetSidePanelConfiguration().Set(nullptr);
    m_gui->GetLiveVideoConfiguration().Set(nullptr);
    m_gui->GetLiveImageConfiguration().Set(nullptr);
    m_gui = nullptr;
    m_slider.reset();
    m_liveOptions.reset();
    m_sidePanel.reset();
    m_liveVideo.reset();
    m_liveImage.reset();
}

void CAcquisitionScreenModule::DeclareSteps(CStepCatalog& steps)
{
    steps.Add(SStepKind{
        "engine-live-view",
        "the engine sends a live-view status from its own thread (any 32-bit number: 0 Off, 1 Starting, "
        "2 SearchingPosition, 3 PositionLost, 4 Tracking, 5 Ready, others unknown)",
        {{"status", EParameterType::Number, std::nullopt, "the status as a number", {}}},
        [](Json const& arguments)
        {
            double const status = arguments.at("status").get<double>();
            bool const fits = std::floor(status) == status &&
                              status >= std::numeric_limits<std::int32_t>::min() &&
                              status <= std::numeric_limits<std::int32_t>::max();
            return fits ? std::string() : std::string("the status must be a 32-bit whole number");
        },
        [this](Json const& arguments, CTimeline&)
        {
            int const status = static_cast<int>(arguments.at("status").get<double>());
            OnEngineThread([this, status] { m_engineLiveView->Execute(status); });
        }});
    steps.Add(SStepKind{"engine-live-image-hidden",
                        "the engine hides (or shows) the live image from its own thread",
                        {{"value", EParameterType::Bool, Json(true), "hidden", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        {
                            bool const hidden = arguments.at("value").get<bool>();
                            OnEngineThread([this, hidden] { m_engineLiveImageHidden->Execute(hidden); });
                        }});

    std::vector<std::string> const tools(kToolNames.begin(), kToolNames.end());
    SStepParameter const action{"action", EParameterType::Integer, Json(0), "the action, 0 to 7", {}};
    auto const checkAction = [](Json const& arguments)
    {
        return arguments.at("action").get<std::uint64_t>() <
                       Base::ISidePanelToolItemViewModel::kToolActionCount
                   ? std::string()
                   : std::string("a tool has the actions 0 to 7");
    };
    steps.Add(SStepKind{"tool-action",
                        "the GUI presses a tool action: executes its command by the registered name "
                        "\"<tool>.CToolActionViewModelBase.Command_<action>\"",
                        {{"tool", EParameterType::Choice, std::nullopt, "the tool", tools}, action},
                        checkAction,
                        [](Json const& arguments, CTimeline&)
                        {
                            std::string const name =
                                arguments.at("tool").get<std::string>() +
                                ".CToolActionViewModelBase.Command_" +
                                std::to_string(arguments.at("action").get<std::uint64_t>());
                            auto const command = std::dynamic_pointer_cast<Base::ICommand<>>(
                                JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(Widen(name)));
                            if (!command)
                                throw std::runtime_error("no command is registered as " + name);
                            command->Execute();
                        }});
    steps.Add(SStepKind{"choose-tool",
                        "the product marks a tool chosen (the others not) and one of its actions selected",
                        {{"tool", EParameterType::Choice, std::nullopt, "the tool", tools}, action},
                        checkAction,
                        [this](Json const& arguments, CTimeline&)
                        {
                            m_chooseTool->Execute(
                                static_cast<int>(arguments.at("action").get<std::uint64_t>()),
                                Widen(arguments.at("tool").get<std::string>()));
                        }});
    steps.Add(SStepKind{"live-option",
                        "the product marks one option of the live options bar selected (the others not)",
                        {{"option",
                          EParameterType::Choice,
                          std::nullopt,
                          "the option",
                          {kOptionNames.begin(), kOptionNames.end()}}},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        {
                            m_selectLiveOption->Execute(static_cast<int>(
                                IndexOf(arguments.at("option").get<std::string>(), kOptionNames)));
                        }});
    steps.Add(
        SStepKind{"slider",
                  "the GUI moves the zoom's slider (0 to 100; a value outside is stored as given)",
                  {{"value", EParameterType::Integer, std::nullopt, "the new value", {}}},
                  [](Json const& arguments)
                  {
                      return arguments.at("value").get<std::uint64_t>() <=
                                     static_cast<std::uint64_t>(std::numeric_limits<int>::max())
                                 ? std::string()
                                 : std::string("the value must fit an int");
                  },
                  [this](Json const& arguments, CTimeline&)
                  { m_moveSlider->Execute(static_cast<int>(arguments.at("value").get<std::uint64_t>())); }});
}

void CAcquisitionScreenModule::Render(CScreenCanvas& canvas) const
{
    RenderSidePanel(canvas);
    RenderLivePicture(canvas);
    RenderLiveOptions(canvas);
}

void CAcquisitionScreenModule::RenderSidePanel(CScreenCanvas& canvas) const
{
    Base::ISidePanelViewModel const& panel = *m_sidePanel;
    canvas.Section("SIDE PANEL   > chosen tool   actions 0 to 7: * selected, x disabled");
    canvas.Line()
        .Text("   tools ")
        .Text(panel.GetToolsVisibility().Get() ? "shown" : "hidden", EStyle::Strong);
    for (auto const& tool : panel.GetToolsItems())
    {
        if (!tool)
            continue;
        bool const enabled = tool->GetEnabled().Get();
        bool const chosen = tool->GetSelected().Get();
        canvas.Line()
            .Text(chosen ? " > " : "   ")
            .Cell(kToolNames[static_cast<std::size_t>(tool->GetSortIndex())], 8,
                  chosen    ? EStyle::Selected
                  : enabled ? EStyle::Strong
                            : EStyle::Dim)
            .Cell(enabled ? "enabled" : "disabled", 20, enabled ? EStyle::Plain : EStyle::Dim);
        for (auto const& action : tool->GetItemTypeToolActions())
        {
            bool const selected = action->GetSelected().Get();
            canvas.Text(std::to_string(static_cast<int>(action->GetItemType().Get())) +
                            (!action->GetEnabled().Get() ? "x "
                             : selected                  ? "* "
                                                         : "  "),
                        selected ? EStyle::Selected : EStyle::Plain);
        }
    }
}

void CAcquisitionScreenModule::RenderLivePicture(CScreenCanvas& canvas) const
{
    Base::ILiveImageViewModel const& image = *m_liveImage;
    Base::ILiveVideoViewModel const& video = *m_liveVideo;
    bool const visible = image.GetVisibility().Get();
    Json const panorama = ToJson(video.GetPanoramaImage().Get());
    canvas.Section("LIVE IMAGE AND VIDEO");
    canvas.Line()
        .Text("   crosshair ")
        .Text(EnumText(image.GetCrossHair().Get()), EStyle::Strong)
        .PadTo(28)
        .Text(visible ? "shown" : "hidden", visible ? EStyle::Good : EStyle::Dim)
        .PadTo(50)
        .Text(video.GetIsSelected().Get() ? "capture mode" : "idle mode")
        .PadTo(70)
        .Text("panorama ")
        .Text(panorama.is_null() ? "none" : panorama.get<std::string>(),
              video.GetPanoramaRecordDone().Get() ? EStyle::Good : EStyle::Dim);
}

void CAcquisitionScreenModule::RenderLiveOptions(CScreenCanvas& canvas) const
{
    auto const options =
        static_cast<Base::ILiveOptionsViewModel const&>(*m_liveOptions).GetLiveOptionsItems();
    canvas.Section("LIVE OPTIONS   > selected");
    canvas.Line().Text("   ");
    for (std::size_t index = 0; index < kOptionNames.size(); ++index)
    {
        bool const selected = options[index]->GetSelected().Get();
        canvas.Text(selected ? ">" : " ")
            .Cell(kOptionNames[index], 8, selected ? EStyle::Selected : EStyle::Plain);
    }
    BusinessLayer::CSliderViewModelBase& slider = *m_slider;
    double const value = slider.GetValue().Get();
    bool const inRange = value >= slider.GetValueMin().Get() && value <= slider.GetValueMax().Get();
    canvas.PadTo(50)
        .Text("zoom slider ")
        .Text(Json(value).dump(), inRange ? EStyle::Strong : EStyle::Warning)
        .Text(" of " + Json(slider.GetValueMin().Get()).dump() + " to " +
              Json(slider.GetValueMax().Get()).dump());
}
} // namespace Orx2Sim
