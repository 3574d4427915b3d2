#pragma once
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Lets the GUI hand key presses and releases to the business layer through two commands, each taking
/// the key and the key data. What the two values mean and what the keys do is decided by whoever
/// installs the commands (the GUI configuration's keyboard and foot control).
///
/// Thread-safety: every member may be called from any thread; notifications run on the setting thread.
class ORX2_COMMON_EXPORT CCaptureKeysViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ICaptureKeysViewModel>
{
public:
    using KeyCommandPtr = std::shared_ptr<KeyCommand>; ///< A key command, empty while none is installed.

    /// Both commands empty. Throws std::bad_alloc.
    CCaptureKeysViewModelBase();
    ~CCaptureKeysViewModelBase() override;

    Base::TProperty<KeyCommandPtr> const& GetKeyPressedCommand() const override
    {
        return m_keyPressedCommand;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<KeyCommandPtr>& GetKeyPressedCommand() { return m_keyPressedCommand; }
    Base::TProperty<KeyCommandPtr> const& GetKeyReleasedCommand() const override
    {
        return m_keyReleasedCommand;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<KeyCommandPtr>& GetKeyReleasedCommand() { return m_keyReleasedCommand; }

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    Base::TProperty<KeyCommandPtr> m_keyPressedCommand{nullptr, *this};
    Base::TProperty<KeyCommandPtr> m_keyReleasedCommand{nullptr, *this};
};
} // namespace BusinessLayer
