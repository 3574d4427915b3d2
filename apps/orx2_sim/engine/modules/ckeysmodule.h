#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "host/foundation/cstringw.h"
#include "reference_host/cfootswitch.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Orx2Sim
{
/// The keyboard, the foot switch, the GUI lock and the QR code, each reached as the GUI reaches it:
/// through the GUI configuration's slots. Keys go to the capture-keys view model, the foot switch
/// executes the registered key commands with its key (the space bar), the lock-GUI view model shows the
/// lock count (following the GUI-locking commands) and the work indicator, and a decoded QR code goes
/// to the QR-code view model's commands, which the host fills here: the area command selects the area,
/// the text command keeps the text. The screen lists what the acquisition service was told.
/// Steps: key-down, key-up, foot-switch, work-indicator, qr-code.
class CKeysModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// Keys.ServiceCalls and Keys.LastServiceCall: what the acquisition service was told.
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    /// QRCode.Text: the text the host took last.
    void DeclareProperties(CPropertyCatalog& catalog) override;
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

    /// The virtual-key code of `name`: "Space", "NumPlus", "NumMinus", "Plus", "Minus", "F1" to "F24", a
    /// letter or digit, or a decimal code; empty for anything else.
    static std::optional<unsigned int> ParseKey(std::string_view name);

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    CSimHost* m_host = nullptr;
    ReferenceHost::CFootSwitch m_footSwitch;
    Command<unsigned int, unsigned int, bool> m_key;
    Command<bool> m_pressFootSwitch;
    Command<bool> m_showWorkIndicator;
    Command<Base::EAreaItems> m_activateArea; // the QR-code view model's commands
    Command<CStringW> m_takeQRCode;
    Base::CSilentChangeOwner m_owner;
    Base::TProperty<std::wstring> m_lastQRCode{std::wstring(), m_owner}; // the text the host took last
};
} // namespace Orx2Sim
