#pragma once
// What a GUI bound to the library would see, read step by step in integration tests.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "host/acquisitionbase/acommandbase.h"
#include "support/logcapture.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Orx2Test
{
/// Watches named owners' PropertyChanged events, the process-wide command stream, the GUI-locking count
/// and the log (level 2, every channel) from construction on. `Take()` returns what happened since the
/// previous Take and starts a new step. Thread-safe; watched owners must outlive the probe. Only one
/// probe (or LogCapture) should be alive at a time, since it installs the log sink.
class GuiProbe
{
public:
    struct SLogLine
    {
        std::wstring channel;
        std::wstring text;
    };

    struct SStep
    {
        /// PropertyChanged notifications per watched owner; owners without any are absent.
        std::map<std::string, int> changes;
        /// Names of the executed commands, in execution order.
        std::vector<std::wstring> commands;
        /// Every value the GUI-locking count took, in order.
        std::vector<unsigned> guiLockCounts;
        std::vector<SLogLine> log;

        /// Notifications of `owner` (0 when none).
        int Changes(std::string const& owner) const
        {
            auto const found = changes.find(owner);
            return found == changes.end() ? 0 : found->second;
        }
    };

    GuiProbe()
        : m_commandConnection(Base::ACommandBase::ms_EventCommandStream.ConnectToValueStream(
              Base::MakeEventSignalHandler<Base::Binding::TValueStreamNotification<Base::ICommandBase*> const&>(
                  [this](auto const& notification)
                  {
                      if (notification.value.HasValue() && notification.value.value() != nullptr)
                          Add([&](SStep& step) { step.commands.push_back(notification.value.value()->GetName()); });
                  }))),
          m_lockConnection(Base::ACommandBase::s_numberOfActiveGUILockingCommands.ConnectToValueChanged(
              Base::MakeEventSignalHandler<unsigned const&>(
                  [this](unsigned count) { Add([count](SStep& step) { step.guiLockCounts.push_back(count); }); })))
    {
    }
    GuiProbe(GuiProbe const&) = delete;
    GuiProbe& operator=(GuiProbe const&) = delete;

    /// Counts `owner`'s PropertyChanged under `name` from now on.
    GuiProbe& Watch(std::string const& name, Base::INotifyPropertyChanged const& owner)
    {
        m_watches.emplace_back(owner.GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(
            [this, name] { Add([&name](SStep& step) { ++step.changes[name]; }); })));
        return *this;
    }

    /// What happened since the last Take (or construction).
    SStep Take()
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        SStep step = std::move(m_step);
        m_step = SStep{};
        for (Logging::SLogRecord const& record : m_log.TakeAll())
            step.log.push_back({record.channel, record.message});
        return step;
    }

private:
    template <class Change>
    void Add(Change&& change)
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        change(m_step);
    }

    LogCapture m_log;
    std::mutex m_mutex;
    SStep m_step;
    Base::CScopedEventSignalConnection m_commandConnection;
    Base::CScopedEventSignalConnection m_lockConnection;
    std::vector<Base::CScopedEventSignalConnection> m_watches;
};
} // namespace Orx2Test
