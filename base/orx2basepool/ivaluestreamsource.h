#pragma once
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/ieventsignalhandler.h"
#include "base/orx2basepool/tvaluestreamnotification.h"

#include <memory>

namespace Base::Binding
{
/// Something that tells about changes of its value of type `T` (or of the tuple of `T...`).
template <class... T>
class IValueStreamSource : public INonCopyable
{
public:
    using ValueType = Internal::TSourceValueT<T...>; ///< The value: `T`, or the tuple of `T...`.
    /// What a handler receives: the status and the value.
    using Notification = TValueStreamNotification<ValueType>;
    /// A handler of the stream, which may disconnect itself.
    using Handler = IEventSignalHandlerWithConnection<Notification const&>;

    virtual ~IValueStreamSource() = default;

    /// Connects `handler` to every later notification; nothing is delivered now. Handlers run on the
    /// changing thread while the source holds its reader lock: they may read the source but must not
    /// change it. Thread-safe.
    virtual CScopedEventSignalConnection ConnectToValueStream(std::unique_ptr<Handler> handler) const = 0;
};
} // namespace Base::Binding
