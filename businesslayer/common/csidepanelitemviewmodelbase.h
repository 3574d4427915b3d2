#pragma once
#include "base/orx2basepool/interfaces/isidepanelitemviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// A side-panel button: three flags from the constructor, a command and an unlock command the
/// configuring code installs. Default-constructed it is hidden, disabled and not selected. The unlock
/// button of the panel is one of these; the four groups use the typed kinds derived from it.
/// Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ISidePanelItemViewModel>
{
public:
    /// The item's command, empty while none is installed.
    using CommandPointer = std::shared_ptr<Base::ICommand<>>;

    /// An item with the three flags given, without a command.
    explicit CSidePanelItemViewModelBase(bool visibility = false, bool enabled = false,
                                         bool selected = false);
    ~CSidePanelItemViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnabled() { return m_enabled; }
    Base::IProperty<bool> const& GetSelected() const override { return m_selected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetSelected() { return m_selected; }
    Base::IProperty<CommandPointer> const& GetCommand() const override { return m_command; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CommandPointer>& GetCommand() { return m_command; }
    Base::IProperty<CommandPointer> const& GetUnlockCommand() const override { return m_unlockCommand; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CommandPointer>& GetUnlockCommand() { return m_unlockCommand; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility;
    Base::TProperty<bool> m_enabled;
    Base::TProperty<bool> m_selected;
    Base::TProperty<CommandPointer> m_command{nullptr, *this};
    Base::TProperty<CommandPointer> m_unlockCommand{nullptr, *this};
};
} // namespace BusinessLayer
