#pragma once
#include "base/orx2basepool/ieventsignalhandler.h"

#include <memory>

namespace Base
{
/// The connect side of a multicast event. Owners keep a `TEventSignal<Args...>` and fire it; everyone
/// else sees it through this interface and can only connect. `IEventSignal<void>` has no arguments.
template <class... Args>
class IEventSignal : public INonCopyable
{
public:
    /// A handler of the signal, which may disconnect itself.
    using Handler = IEventSignalHandlerWithConnection<Args...>;

    virtual ~IEventSignal() = default;

    /// Adds `handler` at the end of the handler list and returns its new connection. A fire already
    /// running does not call it; every later fire does. Never blocks a running fire.
    /// Const because observers connect through the const view owners hand out.
    /// Throws OrxException for an empty handler. Thread-safe.
    virtual std::shared_ptr<IEventSignalConnection> Connect(std::shared_ptr<Handler> const& handler) const = 0;
};
} // namespace Base
