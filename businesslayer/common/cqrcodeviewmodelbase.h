#pragma once
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Carries the two commands of the GUI's QR-code function, both installed by the owner: one that
/// activates a scan area and one that receives the text decoded from a QR code.
///
/// Thread-safety: every member may be called from any thread; notifications run on the setting thread.
class ORX2_COMMON_EXPORT CQRCodeViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IQRCodeViewModel>
{
public:
    /// The command that activates an area.
    using ActiveAreaCommandPtr = std::shared_ptr<Base::ICommand<Base::EAreaItems>>;
    /// The command that receives a read QR code.
    using QRCodeCommandPtr = std::shared_ptr<Base::ICommand<CStringW>>;

    /// Both commands empty. Throws std::bad_alloc.
    CQRCodeViewModelBase();
    ~CQRCodeViewModelBase() override;

    Base::IProperty<ActiveAreaCommandPtr> const& GetActiveAreaCommand() const override
    {
        return m_activeAreaCommand;
    }
    Base::IProperty<QRCodeCommandPtr> const& GetQRCodeCommand() const override { return m_qrCodeCommand; }

    /// @{
    /// Install a command (empty: none). PropertyChanged fires once when the pointer differs from the
    /// one set, never for the same pointer again. Throw what the notification's handlers throw.
    void SetActivateAreaCommand(ActiveAreaCommandPtr const& command) { m_activeAreaCommand.Set(command); }
    void SetQRCodeCommand(QRCodeCommandPtr const& command) { m_qrCodeCommand.Set(command); }
    /// @}

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    Base::TProperty<ActiveAreaCommandPtr> m_activeAreaCommand{nullptr, *this};
    Base::TProperty<QRCodeCommandPtr> m_qrCodeCommand{nullptr, *this};
};
} // namespace BusinessLayer
