#include "ccalibrationmodule.h"

#include "../makesimulatorcommand.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/tcommandslot.h"
#include "host/foundation/jbsingleton.h"
#include "host/resources/tvcresmanager.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Orx2Sim
{
namespace
{
using Driver = ReferenceHost::CCalibrationDriver;
using Answer = Driver::EAnswer;
using Question = Driver::Question;
using Item = BusinessLayer::CStepMenuItemViewModelBase;

/// The menu's nine entries by name, in their order.
std::array<char const*, 9> const kEntryNames = {"Text",     "Number", "Ok",   "Retry",  "Cancel",
                                                "Continue", "Abort",  "Info", "Confirm"};
std::vector<std::string> const kQuestionNames = {"None",     "Ok",    "OkCancel", "Cancel",  "NoButton",
                                                 "Continue", "Abort", "Info",     "Confirm", "Retry"};
std::vector<std::string> const kButtons = {"Ok",       "Retry",        "Cancel",      "Continue",
                                           "Abort",    "Confirm",      "InlineOk",    "InlineCancel",
                                           "DialogOk", "DialogCancel", "DialogCustom"};
/// The instructions the simulated engine asks by resource id.
constexpr unsigned int kPlaceTargetId = 1001;
constexpr unsigned int kCalibratingId = 1002;

std::string AnswerText(Answer answer)
{
    static std::array<char const*, 10> const names = {
        "Ok",      "Cancel",       "Retry",    "Continue",     "Abort",
        "Confirm", "TextInserted", "DialogOk", "DialogCancel", "DialogCustom"};
    return names.at(static_cast<std::size_t>(answer));
}

/// The answer the engine waits for after asking `question` on the camera menu, or on the colour dialog.
std::optional<Answer> Awaited(bool dialog, int question)
{
    switch (static_cast<Question>(question))
    {
    case Question::Ok:
    case Question::OkCancel:
        return dialog ? Answer::DialogOk : Answer::Ok;
    case Question::Cancel:
        return dialog ? Answer::DialogCancel : Answer::Cancel;
    case Question::Continue:
        return dialog ? Answer::DialogCustom : Answer::Continue;
    case Question::Abort:
        return dialog ? Answer::DialogCustom : Answer::Abort;
    case Question::Confirm:
        return dialog ? Answer::DialogCustom : Answer::Confirm;
    case Question::Retry:
        return dialog ? Answer::DialogCustom : Answer::Retry;
    default:
        return std::nullopt;
    }
}

int QuestionOf(Json const& arguments)
{
    std::string const name = arguments.at("question").get<std::string>();
    for (std::size_t i = 0; i < kQuestionNames.size(); ++i)
        if (kQuestionNames[i] == name)
            return static_cast<int>(i);
    return 0;
}

std::vector<std::shared_ptr<Item>> Entries(BusinessLayer::CCameraCalibrationStepMenuViewModel& menu)
{
    return menu.GetStepMenuItems().GetValues();
}
} // namespace

void CCalibrationModule::Start(CSimHost& host)
{
    JbSingleton<TvCResManager>::GetInstance().LoadStrings(
        {{kPlaceTargetId, L"Place the calibration target in front of the camera"},
         {kCalibratingId, L"Calibrating the camera: %d%% done"}});
    m_camera = std::make_shared<BusinessLayer::CCameraCalibrationViewModelBase>();
    m_menu = std::make_shared<BusinessLayer::CCameraCalibrationStepMenuViewModel>();
    m_dialog = std::make_shared<BusinessLayer::CColorCalibDialogViewModelBase>();
    m_driver = std::make_unique<Driver>(m_camera, m_menu, m_dialog);
    m_ask = MakeSimulatorCommand<int, int, int, unsigned int, CStringW, CStringW, float>(
        L"CalibrationAsk", [this](int target, int state, int question, unsigned int id, CStringW text,
                                  CStringW initial, float progress)
        { Ask(target, state, question, id, std::move(text), std::move(initial), progress); });
    m_gui = &host.GetGuiConfiguration();
    m_gui->GetCameraCalibrationConfiguration().Set(m_camera);
    m_gui->GetColorCalibDialogConfiguration().Set(m_dialog);
}

void CCalibrationModule::Stop()
{
    m_ask.reset();
    m_gui->GetStepMenuConfiguration().Set(m_gui->GetStepMenu());
    m_gui->GetColorCalibDialogConfiguration().Set(nullptr);
    m_gui->GetCameraCalibrationConfiguration().Set(nullptr);
    m_gui = nullptr;
    m_driver.reset();
    m_dialog.reset();
    m_menu.reset();
    m_camera.reset();
}

std::vector<Driver::SStep> CCalibrationModule::MakeScript(int target, int state, int question, unsigned int id,
                                                          CStringW text, CStringW initial, float progress)
{
    Driver::Request request = Driver::Ask(static_cast<Driver::State>(state), std::move(text),
                                          static_cast<Question>(question), std::move(initial));
    request.Set(id, progress, false, Driver::Request::EDeviceType::Unknown);
    if (target != 0)
        return {Driver::DialogStep(request, Awaited(true, question)), Driver::DialogEnd()};
    if (state == 0)
        return {Driver::CameraEnd()};
    return {Driver::CameraStep(request, Awaited(false, question))};
}

void CCalibrationModule::Ask(int target, int state, int question, unsigned int id, CStringW text,
                             CStringW initial, float progress)
{
    std::vector<Driver::SStep> script =
        MakeScript(target, state, question, id, std::move(text), std::move(initial), progress);
    if (target == 0) // the step menu beside the live view shows the calibration while it runs
        m_gui->GetStepMenuConfiguration().Set(
            state == 0 ? std::shared_ptr<BusinessLayer::CStepMenuViewModelBase>(m_gui->GetStepMenu())
                       : m_menu);
    m_driver->Play(std::move(script));
}

void CCalibrationModule::DeclareProperties(CPropertyCatalog& catalog)
{
    auto const entries = Entries(*m_menu);
    std::size_t const engine = catalog.AddValueSource("calibration engine", m_driver->GetRevision());
    std::size_t const menu = catalog.AddSource(
        "CameraCalibrationStepMenu entries", "PropertyChanged",
        [entries](CPropertyCatalog::Notify const& notify) -> std::shared_ptr<void>
        {
            auto connections = std::make_shared<std::vector<std::shared_ptr<void>>>();
            for (auto const& entry : entries)
                connections->push_back(std::make_shared<Base::CScopedEventSignalConnection>(
                    entry->GetPropertyChangedEventSignal().Connect(
                        Base::MakeEventSignalHandler<void>([notify] { notify(); }))));
            return connections;
        },
        entries[0].get());

    catalog.AddProperty(
        "Calibration.Text", menu,
        [entries] { return Json(Narrow(entries[0]->GetInfoText().Get().GetStdString())); },
        "the instruction the step menu shows");
    catalog.AddProperty(
        "Calibration.Number", menu,
        [entries] { return Json(Narrow(entries[1]->GetInfoText().Get().GetStdString())); },
        "the number entry's text (the proposal and its control suffix)");
    catalog.AddProperty(
        "Calibration.Entries", menu,
        [entries]
        {
            Json shown = Json::array();
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (entries[i]->GetVisibility().Get())
                    shown.push_back(kEntryNames[i]);
            return shown;
        },
        "the step menu's visible entries (Text, Number, Ok, Retry, Cancel, Continue, Abort, Info, Confirm)");
    catalog.AddProperty(
        "Calibration.InlineOkCancel", menu,
        [entries]
        {
            return Json((entries[0]->GetVisibility().Get() && entries[0]->OkEnabled().Get()) ||
                        (entries[1]->GetVisibility().Get() && entries[1]->OkEnabled().Get()));
        },
        "the text or the number entry shows its own OK and Cancel");
    Driver const* const driver = m_driver.get();
    catalog.AddProperty(
        "Calibration.Awaited", engine,
        [driver]
        {
            auto const awaited = driver->GetAwaited();
            return Json(awaited ? AnswerText(*awaited) : "none");
        },
        "the answer the engine waits for");
    catalog.AddProperty(
        "Calibration.Answers", engine,
        [driver]
        {
            Json answers = Json::array();
            for (auto const& answer : driver->GetAnswers())
                answers.push_back(AnswerText(answer.answer) +
                                  (answer.text.IsEmpty() ? "" : " " + Narrow(answer.text.GetStdString())));
            return answers;
        },
        "every answer the engine received, oldest first");
}

void CCalibrationModule::DeclareSteps(CStepCatalog& steps)
{
    steps.Add(SStepKind{
        "calibration",
        "the engine asks through the camera calibration's wait request (state 0 ends the calibration)",
        {{"state", EParameterType::Integer, std::nullopt, "the calibration state, 0 to 23", {}},
         {"question", EParameterType::Choice, Json("None"), "the answer asked for", kQuestionNames},
         {"text",
          EParameterType::Text,
          Json(""),
          "the instruction (a format of the percentage in state 1)",
          {}},
         {"initial", EParameterType::Text, Json(""), "the proposed number", {}},
         {"progress", EParameterType::Number, Json(0), "the progress, 0 to 1", {}},
         {"id",
          EParameterType::Integer,
          Json(0),
          "an instruction by resource id instead of the text: 1001 (place the target), 1002 (progress)",
          {}}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            m_ask->Execute(0, arguments.at("state").get<int>(), QuestionOf(arguments),
                           arguments.at("id").get<unsigned int>(),
                           CStringW(Widen(arguments.at("text").get<std::string>())),
                           CStringW(Widen(arguments.at("initial").get<std::string>())),
                           arguments.at("progress").get<float>());
        }});
    steps.Add(SStepKind{
        "colour-calibration",
        "the engine shows the colour calibration dialog until it has its answer",
        {{"question", EParameterType::Choice, std::nullopt, "the answer asked for", kQuestionNames},
         {"text", EParameterType::Text, Json(""), "the instruction", {}}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            m_ask->Execute(1, 5, QuestionOf(arguments), 0U,
                           CStringW(Widen(arguments.at("text").get<std::string>())), CStringW(), 0.0f);
        }});
    steps.Add(SStepKind{
        "press",
        "the user presses a shown button of the calibration (Inline: the text's or number's own OK/Cancel)",
        {{"button", EParameterType::Choice, std::nullopt, "the button", kButtons}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            std::string const button = arguments.at("button").get<std::string>();
            auto const entries = Entries(*m_menu);
            auto const shown = [&entries](std::size_t entry)
            { return entries[entry]->GetVisibility().Get(); };
            auto const refuse = [&button] { throw std::runtime_error("button " + button + " is not shown"); };
            if (button.rfind("Dialog", 0) == 0)
            {
                if (!m_dialog->GetVisible().Get())
                    refuse();
                auto const& slot = button == "DialogOk"       ? m_dialog->GetOKPressed()
                                   : button == "DialogCancel" ? m_dialog->GetCancelPressed()
                                                              : m_dialog->GetCustomPressed();
                Base::ExecuteIfSet(slot.Get());
            }
            else if (button.rfind("Inline", 0) == 0)
            {
                std::size_t const entry = shown(1) ? 1 : 0;
                if (!shown(entry) || !entries[entry]->OkEnabled().Get())
                    refuse();
                entries[entry]->GetOkCancelPressed().Get()->Execute(button == "InlineOk");
            }
            else
            {
                std::size_t entry = 2;
                while (kEntryNames[entry] != button)
                    ++entry;
                if (!shown(entry))
                    refuse();
                entries[entry]->GetCommand().Get()->Execute();
            }
        }});
    steps.Add(SStepKind{"type",
                        "the user types a number into the calibration's number entry",
                        {{"text", EParameterType::Text, std::nullopt, "what the user types", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        {
                            auto const entries = Entries(*m_menu);
                            if (!entries[1]->GetVisibility().Get())
                                throw std::runtime_error("the number entry is not shown");
                            entries[1]->GetTextInserted().Get()->Execute(
                                CStringW(Widen(arguments.at("text").get<std::string>())));
                        }});
}

void CCalibrationModule::Render(CScreenCanvas& canvas) const
{
    bool const camera = m_camera->GetVisibility().Get();
    bool const dialog = m_dialog->GetVisible().Get();
    if (!camera && !dialog)
        return;
    auto const entries = Entries(*m_menu);
    auto const awaited = m_driver->GetAwaited();
    canvas.Section("CALIBRATION");
    canvas.Line()
        .Text("   camera ")
        .Text(camera ? EnumText(m_camera->GetCalibrationState().Get()) : "hidden",
              camera ? EStyle::Strong : EStyle::Dim)
        .PadTo(40)
        .Text("engine awaits ")
        .Text(awaited ? AnswerText(*awaited) : "nothing", awaited ? EStyle::Warning : EStyle::Dim);
    if (camera)
    {
        Item const& text = *entries[0];
        if (text.GetVisibility().Get())
        {
            canvas.Line().Text("   | ").Text(Narrow(text.GetInfoText().Get().GetStdString()), EStyle::Strong);
            if (text.OkEnabled().Get())
                canvas.Text("  [OK] [Cancel]");
        }
        if (entries[1]->GetVisibility().Get())
        {
            std::wstring number = entries[1]->GetInfoText().Get().GetStdString();
            number = number.substr(0, number.find(L"##CTRL##"));
            canvas.Line().Text("   | number [").Text(Narrow(number), EStyle::Strong).Text("]  [OK] [Cancel]");
        }
        canvas.Line().Text("   buttons");
        for (std::size_t i = 2; i < entries.size(); ++i)
            if (entries[i]->GetVisibility().Get())
                canvas.Text(" [").Text(kEntryNames[i], EStyle::Good).Text("]");
    }
    if (dialog)
        canvas.Line()
            .Text("   colour dialog | ")
            .Text(Narrow(m_dialog->GetCalibrationWaitRequest().Get().GetInstructionText().GetStdString()),
                  EStyle::Strong)
            .Text("  [OK] [Cancel] [Custom]");
    std::vector<std::string> answers;
    for (auto const& answer : m_driver->GetAnswers())
        answers.push_back(AnswerText(answer.answer));
    if (answers.size() > 6)
        answers.erase(answers.begin(), answers.end() - 6);
    canvas.Line().Text("   answers ").Text(answers.empty() ? "none" : Join(answers), EStyle::Dim);
}
} // namespace Orx2Sim
