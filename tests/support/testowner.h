#pragma once
// A minimal owner of properties for tests: counts its PropertyChanged notifications.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"

#include <atomic>

namespace Orx2Test
{
class ITestOwner : public Base::INotifyPropertyChanged
{
};

/// Owns properties of any type through `MakeProperty` and counts `PropertyChanged`.
class TestOwner : public Base::TNotifyPropertyChangedImpl<ITestOwner>
{
public:
    TestOwner()
        : m_counter(GetPropertyChangedEventSignal().Connect(
              Base::MakeEventSignalHandler<void>([this] { m_changes.fetch_add(1); })))
    {
    }
    int Changes() const { return m_changes.load(); }

private:
    std::atomic<int> m_changes{0};
    Base::CScopedEventSignalConnection m_counter;
};
} // namespace Orx2Test
