#include "ckeysmodule.h"

#include "../makesimulatorcommand.h"

#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "host/foundation/virtualkeycodes.h"

#include <charconv>

namespace Orx2Sim
{
namespace
{
using Call = ReferenceHost::CAcquisitionService::SKeyCall;

std::string CallText(Call const& call)
{
    std::string const state = call.pressed ? "pressed" : "released";
    if (call.kind == ReferenceHost::CAcquisitionService::EKeyKind::Dedicated)
        return "OnDedicatedKey(" + state + ")";
    return "OnGenericKey(" + std::to_string(call.key) + ", " + std::to_string(call.keyData) + ", " + state +
           ")";
}

/// The lock-GUI view model as the GUI finds it in the directory (the reference host always fills it).
std::shared_ptr<Base::ILockGUIViewModel> LockGui(CSimHost const& host)
{
    return host.GetGuiConfiguration().GetLockGUIConfiguration().Get();
}
} // namespace

std::optional<unsigned int> CKeysModule::ParseKey(std::string_view name)
{
    struct SNamed
    {
        std::string_view name;
        unsigned int key;
    } const named[] = {{"Space", VirtualKey::kSpace},
                       {"NumPlus", VirtualKey::kAdd},
                       {"NumMinus", VirtualKey::kSubtract},
                       {"Plus", VirtualKey::kOemPlus},
                       {"Minus", VirtualKey::kOemMinus}};
    for (SNamed const& entry : named)
        if (entry.name == name)
            return entry.key;
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<unsigned int>(name[0]);
    bool const function = name.size() > 1 && name[0] == 'F';
    unsigned int number = 0;
    std::string_view const digits = function ? name.substr(1) : name;
    auto const [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (!function)
        return number;
    if (number < 1 || number > 24)
        return std::nullopt;
    return 0x6FU + number; // F1 is 0x70
}

void CKeysModule::Start(CSimHost& host)
{
    m_host = &host;
    // As the GUI hands a key over: to the capture-keys view model it finds in the directory now.
    m_key = MakeSimulatorCommand<unsigned int, unsigned int, bool>(
        L"Key",
        [this](unsigned int key, unsigned int keyData, bool pressed)
        {
            auto const keys = m_host->GetGuiConfiguration().GetCaptureKeysConfiguration().Get();
            if (keys)
                Base::ExecuteIfSet(
                    (pressed ? keys->GetKeyPressedCommand() : keys->GetKeyReleasedCommand()).Get(), key,
                    keyData);
        });
    m_pressFootSwitch = MakeSimulatorCommand<bool>(
        L"FootSwitch",
        [this](bool pressed) { static_cast<void>(pressed ? m_footSwitch.Press() : m_footSwitch.Release()); });
    m_showWorkIndicator = MakeSimulatorCommand<bool>(
        L"ShowAnimatedWorkIndicator",
        [this](bool show) { m_host->GetGuiConfiguration().GetLockGui()->ShowAnimatedWorkIndicator(show); });

    // The host's side of the QR code: a decoded area becomes the selected one, the text is kept.
    m_activateArea = MakeSimulatorCommand<Base::EAreaItems>(L"QRCodeArea", [this](Base::EAreaItems area)
                                                            { m_host->GetSelectedArea()->Set(area); });
    m_takeQRCode = MakeSimulatorCommand<CStringW>(L"QRCode", [this](CStringW const& text)
                                                  { m_lastQRCode.Set(text.GetStdString()); });
    auto const& qrCode = m_host->GetGuiConfiguration().GetQRCode();
    qrCode->SetActivateAreaCommand(m_activateArea);
    qrCode->SetQRCodeCommand(m_takeQRCode);
}

void CKeysModule::Stop()
{
    auto const& qrCode = m_host->GetGuiConfiguration().GetQRCode();
    qrCode->SetQRCodeCommand(nullptr);
    qrCode->SetActivateAreaCommand(nullptr);
    m_takeQRCode.reset();
    m_activateArea.reset();
    m_showWorkIndicator.reset();
    m_pressFootSwitch.reset();
    m_key.reset();
    m_host = nullptr;
}

void CKeysModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    ReferenceHost::CAcquisitionService const& service = screen.host.GetAcquisitionService();
    std::size_t const calls = catalog.AddValueSource("acquisition service", service.GetCallCount());
    catalog.AddProperty(
        "Keys.ServiceCalls", calls, [&service] { return Json(service.GetCallCount().Get()); },
        "the calls the acquisition service received from keys and the foot switch");
    catalog.AddProperty(
        "Keys.LastServiceCall", calls,
        [&service]
        {
            auto const all = service.GetCalls();
            return Json(all.empty() ? std::string() : CallText(all.back()));
        },
        "the last of them: OnDedicatedKey(pressed|released) or OnGenericKey(key, key data, "
        "pressed|released)");
}

void CKeysModule::DeclareProperties(CPropertyCatalog& catalog)
{
    catalog.AddProperty(
        "QRCode.Text", catalog.AddValueSource("host QR code", m_lastQRCode),
        [this] { return Json(Narrow(m_lastQRCode.Get())); }, "the text of the last QR code the host took");
}

void CKeysModule::DeclareSteps(CStepCatalog& steps)
{
    auto const keyStep = [this, &steps](std::string name, std::string help, bool pressed)
    {
        steps.Add(SStepKind{
            std::move(name),
            std::move(help),
            {{"key",
              EParameterType::Text,
              std::nullopt,
              "Space, NumPlus, NumMinus, Plus, Minus, F1 to F24, a letter or digit, or a virtual-key code",
              {}}},
            [](Json const& arguments)
            {
                std::string const key = arguments.at("key").get<std::string>();
                return ParseKey(key) ? std::string() : "unknown key '" + key + "'";
            },
            [this, pressed](Json const& arguments, CTimeline&)
            { m_key->Execute(ParseKey(arguments.at("key").get<std::string>()).value(), 0U, pressed); }});
    };
    keyStep("key-down", "the user presses a key (the GUI hands it to the capture-keys view model)", true);
    keyStep("key-up", "the user releases a key", false);
    steps.Add(SStepKind{"foot-switch",
                        "the foot switch goes down (or up)",
                        {{"pressed", EParameterType::Bool, Json(true), "down (true) or up (false)", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        { m_pressFootSwitch->Execute(arguments.at("pressed").get<bool>()); }});
    steps.Add(SStepKind{"work-indicator",
                        "the host opens (or closes) one request for the animated work indicator",
                        {{"show", EParameterType::Bool, Json(true), "open (true) or close (false)", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        { m_showWorkIndicator->Execute(arguments.at("show").get<bool>()); }});
    steps.Add(
        SStepKind{"qr-code",
                  "the GUI decodes a QR code: its area (if any) is activated, then its text is handed over",
                  {{"text", EParameterType::Text, std::nullopt, "the decoded text", {}},
                   {"area", EParameterType::Text, Json(""), "the area it names, or empty", {}}},
                  [](Json const& arguments)
                  {
                      std::string const area = arguments.at("area").get<std::string>();
                      return area.empty() || ParseArea(area) ? std::string() : "unknown area '" + area + "'";
                  },
                  [this](Json const& arguments, CTimeline&)
                  {
                      auto const qrCode = m_host->GetGuiConfiguration().GetQRCodeConfiguration().Get();
                      std::string const area = arguments.at("area").get<std::string>();
                      if (!area.empty())
                          Base::ExecuteIfSet(qrCode->GetActiveAreaCommand().Get(), ParseArea(area).value());
                      Base::ExecuteIfSet(qrCode->GetQRCodeCommand().Get(),
                                         CStringW(Widen(arguments.at("text").get<std::string>())));
                  }});
}

void CKeysModule::Render(CScreenCanvas& canvas) const
{
    auto const lock = LockGui(*m_host);
    unsigned int const count = lock->GetLockCount().Get();
    unsigned int const indicator = lock->GetShowAnimatedWorkIndicator().Get();
    auto const calls = m_host->GetAcquisitionService().GetCalls();
    std::string const qrCode = Narrow(m_lastQRCode.Get());
    canvas.Section("KEYS, GUI LOCK AND QR CODE");
    canvas.Line()
        .Text("   lock count ")
        .Text(std::to_string(count), count > 0 ? EStyle::Bad : EStyle::Strong)
        .PadTo(28)
        .Text("work indicator ")
        .Text(std::to_string(indicator), indicator > 0 ? EStyle::Warning : EStyle::Strong)
        .Text(indicator > 0 ? " (shown)" : " (hidden)")
        .PadTo(56)
        .Text("foot switch key " + std::to_string(m_footSwitch.GetKey()));
    canvas.Line()
        .Text("   acquisition service ")
        .Text(std::to_string(calls.size()) + (calls.size() == 1 ? " call" : " calls"), EStyle::Strong)
        .Text(calls.empty() ? "" : ", last " + CallText(calls.back()),
              calls.empty() ? EStyle::Dim : EStyle::Plain);
    canvas.Line()
        .Text("   QR code ")
        .Text(qrCode.empty() ? "none read" : "\"" + qrCode + "\"",
              qrCode.empty() ? EStyle::Dim : EStyle::Strong);
}
} // namespace Orx2Sim
