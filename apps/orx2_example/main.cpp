// A tour of the reactive core: a small "scan status" model with properties, a second model that
// derives a value from it through observers, and a GUI stand-in that listens to PropertyChanged.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"

#include <iostream>
#include <string>
#include <thread>

namespace
{
class IScanStatus : public Base::INotifyPropertyChanged
{
};

/// What an engine would publish: progress in percent and whether the scanner is running.
class CScanStatus : public Base::TNotifyPropertyChangedImpl<IScanStatus>
{
public:
    Base::TProperty<int>& GetProgress() { return m_progress; }
    Base::TProperty<bool>& GetIsRunning() { return m_isRunning; }

private:
    Base::TProperty<int> m_progress{0, *this};
    Base::TProperty<bool> m_isRunning{false, *this};
};

class IStatusText : public Base::INotifyPropertyChanged
{
};

/// A model that follows both values of the status and publishes a line of text.
class CStatusText : public Base::TNotifyPropertyChangedImpl<IStatusText>
{
public:
    explicit CStatusText(CScanStatus& status)
        : m_inputs(status.GetIsRunning(), status.GetProgress()),
          m_observer(m_inputs, [this](bool running, int progress) {
              m_text.Set(running ? "scanning, " + std::to_string(progress) + "%" : "idle at " + std::to_string(progress) + "%");
          })
    {
    }
    Base::TProperty<std::string>& GetText() { return m_text; }

private:
    Base::TProperty<std::string> m_text{"", *this};
    Base::Binding::TMultiValueBindingSource<bool, int> m_inputs;
    Base::Binding::TValueChangedObserver<bool, int> m_observer;
};
} // namespace

int main()
{
    CScanStatus status;
    CStatusText text(status);

    int notifications = 0;
    Base::CScopedEventSignalConnection gui = text.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([&] {
            ++notifications;
            std::cout << "GUI re-reads the status text: \"" << text.GetText().Get() << "\"\n";
        }));

    std::cout << "initial text: \"" << text.GetText().Get() << "\"\n";
    status.GetIsRunning().Set(true);
    for (int progress : {10, 10, 50, 100}) // the repeated 10 changes nothing and notifies nobody
        status.GetProgress().Set(progress);

    // Changes from an engine thread reach the GUI stand-in on that thread.
    std::thread engine([&] { status.GetIsRunning().Set(false); });
    engine.join();

    std::cout << notifications << " notifications\n";
    return notifications == 5 ? 0 : 1;
}
