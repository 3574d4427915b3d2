#pragma once
// The change owner of a model's internal properties, whose changes are not for the GUI.
#include "base/orx2basepool/teventsignal.h"

namespace BusinessLayer::Internal
{
/// Satisfies a property's owner link without reaching the model's PropertyChanged: a derived value
/// (published through another property) then notifies the GUI once per change, not twice. Nobody
/// listens to this event. Declare it before the properties it owns, so that it outlives them.
class CPrivateChangeOwner
{
public:
    Base::TEventSignal<void>& GetPropertyChangedEventSignal() noexcept { return m_changed; }

private:
    Base::TEventSignal<void> m_changed;
};
} // namespace BusinessLayer::Internal
