#pragma once
#include "base/orx2basepool/ieventsignal.h"

namespace Base
{
/// An object whose properties announce changes through one argument-less event; listeners re-read what
/// they need.
class INotifyPropertyChanged : public INonCopyable
{
public:
    virtual ~INotifyPropertyChanged() = default;
    /// Fired once per real change of any of the owner's properties, on the changing thread.
    virtual IEventSignal<void> const& GetPropertyChangedEventSignal() const = 0;
};
} // namespace Base
