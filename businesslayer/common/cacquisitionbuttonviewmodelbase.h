#pragma once
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/interfaces/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>
#include <mutex>
#include <vector>

namespace BusinessLayer
{
/// Backs the GUI's camera (acquisition) button: the camera device's state, the command the button
/// executes, and whether the button is locked or enabled. A state holder: its owner (the host, or a
/// derived class following the device) sets the properties and the command.
///
/// The camera command is a plain member, not a property: replacing it notifies nobody, and the GUI
/// reads it when the button is pressed.
///
/// Subscriptions of a derived class. A derived class that connects to other objects' signals keeps the
/// connections through `AddConnection`. The destructor disconnects them and waits for their running
/// handlers before any member goes, so a handler may still set this class's properties while the
/// destruction waits for it (the members are then released in the order: is enabled, is locked, camera
/// command, device state). A derived class whose handlers use members of its own calls
/// `DisconnectConnections()` as the first statement of its own destructor. A handler bound to the
/// owner guard (`Base::BindToOwner(GetOwnerGuard(), *this, ...)`) also holds the view model while it
/// runs, so a GUI dropping its last reference inside that handler's notification cannot destroy it
/// there; the destructor closes the guard before it disconnects.
///
/// Thread-safety: every member may be called from any thread; notifications run on the setting thread.
class ORX2_COMMON_EXPORT CAcquisitionButtonViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IAcquisitionButtonViewModel>
{
public:
    /// A command of the button, empty while none is installed.
    using CommandPtr = std::shared_ptr<Base::ICommand<>>;

    /// Unknown device state, no camera command, not locked, enabled. Throws std::bad_alloc.
    CAcquisitionButtonViewModelBase();
    /// Disconnects the kept connections first (waiting for running handlers), then the members go.
    ~CAcquisitionButtonViewModelBase() override;

    Base::IProperty<Base::CDeviceStateChanged> const& GetCameraDeviceState() const override
    {
        return m_cameraDeviceState;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<Base::CDeviceStateChanged>& GetCameraDeviceState() { return m_cameraDeviceState; }
    /// A copy of the command (empty while none is set).
    CommandPtr GetCameraCommand() override { return m_cameraCommand.Get(); }
    /// Replaces the command; notifies nobody. Never throws.
    void SetCameraCommand(CommandPtr const& command) override { m_cameraCommand.Set(command); }
    Base::IProperty<bool> const& GetIsLocked() const override { return m_isLocked; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsLocked() { return m_isLocked; }
    Base::IProperty<bool> const& IsEnabled() const override { return m_isEnabled; }
    /// The button's enabled flag, settable: for the host's code.
    Base::TProperty<bool>& IsEnabled() { return m_isEnabled; }

protected:
    /// Keeps `connection` until `DisconnectConnections()` or destruction. Throws std::bad_alloc (the
    /// connection is then disconnected).
    void AddConnection(Base::CScopedEventSignalConnection connection);
    /// Disconnects every kept connection and waits for its handlers running on other threads. Must not
    /// be called from one of those handlers. Never throws.
    void DisconnectConnections() noexcept;

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    Base::TProperty<Base::CDeviceStateChanged> m_cameraDeviceState{Base::CDeviceStateChanged(), *this};
    Base::TCommandSlot<Base::ICommand<>> m_cameraCommand;
    std::mutex m_connectionsMutex; // guards the vector only; handlers are waited for outside it
    std::vector<Base::CScopedEventSignalConnection> m_connections;
    Base::TProperty<bool> m_isLocked{false, *this};
    Base::TProperty<bool> m_isEnabled{true, *this};
};
} // namespace BusinessLayer
