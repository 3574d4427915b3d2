#pragma once
#include "base/orx2basepool/interfaces/itrashviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The trash of the area panel, a button and a drop target for tiles. A state holder: the host's code
/// sets its flags and installs the click command. Thread-safety: every member may be called from any
/// thread.
class ORX2_COMMON_EXPORT CTrashViewModelBase : public Base::TNotifyPropertyChangedImpl<Base::ITrashViewModel>
{
public:
    /// Visible and enabled, no click command.
    CTrashViewModelBase();
    ~CTrashViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetIsEnabled() const override { return m_isEnabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsEnabled() { return m_isEnabled; }

    std::shared_ptr<Base::ICommand<>> GetClickCommand() const override { return m_clickCommand.Get(); }
    void SetClickCommand(std::shared_ptr<Base::ICommand<>> const& command) override
    {
        m_clickCommand.Set(command);
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility{true, *this};
    Base::TProperty<bool> m_isEnabled{true, *this};
    Base::TCommandSlot<Base::ICommand<>> m_clickCommand;
};
} // namespace BusinessLayer
