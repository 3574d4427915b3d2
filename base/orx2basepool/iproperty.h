#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/ivaluebindingsource.h"

namespace Base
{
/// An observable value owned by a view model or a data exchange model.
template <class T>
class IProperty : public Binding::IValueBindingSource<T>
{
public:
    /// A handler of value changes, which may disconnect itself.
    using ChangedHandler = IEventSignalHandlerWithConnection<T const&>;

    /// The same as GetValue().
    virtual T Get() const { return this->GetValue(); }
    /// Stores `value` and notifies when it differs from the current value (see TProperty::Set).
    virtual void Set(T const& value) = 0;
    /// Fired with the new value after each change, on the setting thread.
    virtual IEventSignal<T const&> const& GetValueChangedEventSignal() const = 0;
    /// Connects `handler` to the value-changed event.
    virtual CScopedEventSignalConnection ConnectToValueChanged(std::unique_ptr<ChangedHandler> handler) const = 0;
};
} // namespace Base
