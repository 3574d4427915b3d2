#pragma once
#include "base/orx2basepool/teventsignal.h"

namespace Base
{
/// The owner of properties whose changes nobody is told about: internal states of a model (a derived,
/// published value notifies the GUI once per change, not twice) and the properties of host objects,
/// which have no `PropertyChanged` of their own. It satisfies a property's owner link and nothing
/// listens to it. Declare it before the properties it owns, so that it outlives them.
///
/// Thread-safety: as `TEventSignal<void>`. Not copyable.
class CSilentChangeOwner
{
public:
    CSilentChangeOwner() = default;
    CSilentChangeOwner(CSilentChangeOwner const&) = delete;
    CSilentChangeOwner& operator=(CSilentChangeOwner const&) = delete;

    /// The event the owned properties fire; nobody else connects to it.
    TEventSignal<void>& GetPropertyChangedEventSignal() noexcept { return m_changed; }

private:
    TEventSignal<void> m_changed;
};
} // namespace Base
