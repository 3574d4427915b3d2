#pragma once
// What a GUI bound to a model sees: how often the model announced a property change.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/inotifypropertychanged.h"

#include <atomic>

namespace Orx2Test
{
/// Counts the PropertyChanged notifications of one model from construction on. Thread-safe; the model
/// must outlive the counter.
class PropertyChangedCounter
{
public:
    explicit PropertyChangedCounter(Base::INotifyPropertyChanged const& model)
        : m_connection(model.GetPropertyChangedEventSignal().Connect(
              Base::MakeEventSignalHandler<void>([this] { m_count.fetch_add(1); })))
    {
    }

    /// Notifications since construction or the last Take, and starts counting afresh.
    int Take() { return m_count.exchange(0); }
    int Count() const { return m_count.load(); }

private:
    std::atomic<int> m_count{0};
    Base::CScopedEventSignalConnection m_connection;
};
} // namespace Orx2Test
