#pragma once
#include "base/orx2basepool/teventsignal.h"

namespace ReferenceHost::Internal
{
/// The change owner of the properties of a host object. Host objects have no PropertyChanged event of
/// their own, so nobody listens to this one; it only satisfies the property's owner link. Declare it
/// before the properties, so that it outlives them.
class CPropertyOwner
{
public:
    Base::TEventSignal<void>& GetPropertyChangedEventSignal() noexcept { return m_changed; }

private:
    Base::TEventSignal<void> m_changed;
};
} // namespace ReferenceHost::Internal
