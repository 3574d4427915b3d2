#pragma once
// A minimal owner of properties for tests: counts its PropertyChanged notifications.
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "support/propertychangedcounter.h"

namespace Orx2Test
{
class ITestOwner : public Base::INotifyPropertyChanged
{
};

/// Owns properties of any type through `MakeProperty` and counts `PropertyChanged`.
class TestOwner : public Base::TNotifyPropertyChangedImpl<ITestOwner>
{
public:
    int Changes() const { return m_counter.Count(); }

private:
    PropertyChangedCounter m_counter{*this};
};
} // namespace Orx2Test
