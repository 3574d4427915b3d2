#pragma once
#include "base/orx2basepool/ieventsignalconnection.h"
#include "base/orx2basepool/internal/signalargs.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace Base
{
template <class... Args>
class IEventSignalHandlerWithConnection;

namespace Internal
{
template <class List>
class THandlerWithConnectionSlots;

template <class... A>
class THandlerWithConnectionSlots<TTypeList<A...>> : public INonCopyable
{
public:
    virtual ~THandlerWithConnectionSlots() = default;
    /// Called by a fire with the event's arguments and the connection the handler was connected by
    /// (a handler may disconnect itself through it).
    virtual void Invoke(A... args, std::shared_ptr<IEventSignalConnection> const& connection) = 0;
};

template <class Interface, class List>
class THandlerSlots;

template <class Interface, class... A>
class THandlerSlots<Interface, TTypeList<A...>> : public Interface
{
public:
    /// Forwards to `Invoke(args...)`, dropping the connection.
    void Invoke(A... args, std::shared_ptr<IEventSignalConnection> const&) override
    {
        Invoke(std::forward<A>(args)...);
    }
    virtual void Invoke(A... args) = 0;
};
} // namespace Internal

/// A handler of `IEventSignal<Args...>` that receives its own connection with every call.
/// `IEventSignalHandlerWithConnection<void>` is the handler of an argument-less signal.
template <class... Args>
class IEventSignalHandlerWithConnection : public Internal::THandlerWithConnectionSlots<Internal::TSignalArgList<Args...>>
{
};

/// A handler that does not need its connection: implement `Invoke(Args...)`.
template <class... Args>
class IEventSignalHandler
    : public Internal::THandlerSlots<IEventSignalHandlerWithConnection<Args...>, Internal::TSignalArgList<Args...>>
{
};

namespace Internal
{
template <class Callable, class Interface, class List>
class TEventSignalHandlerImpl;

template <class Callable, class Interface, class... A>
class TEventSignalHandlerImpl<Callable, Interface, TTypeList<A...>> : public Interface
{
public:
    explicit TEventSignalHandlerImpl(Callable callable) : m_callable(std::move(callable)) {}
    void Invoke(A... args) override { m_callable(std::forward<A>(args)...); }
    // A fire calls this one: overriding it too saves the second virtual call of the forward.
    void Invoke(A... args, std::shared_ptr<IEventSignalConnection> const&) override
    {
        m_callable(std::forward<A>(args)...);
    }

private:
    Callable m_callable;
};

template <class Callable, class Interface, class List>
class TEventSignalHandlerWithConnectionImpl;

template <class Callable, class Interface, class... A>
class TEventSignalHandlerWithConnectionImpl<Callable, Interface, TTypeList<A...>> : public Interface
{
public:
    explicit TEventSignalHandlerWithConnectionImpl(Callable callable) : m_callable(std::move(callable)) {}
    void Invoke(A... args, std::shared_ptr<IEventSignalConnection> const& connection) override
    {
        m_callable(std::forward<A>(args)..., connection);
    }

private:
    Callable m_callable;
};

/// Holds one callable by value and calls it with the event's arguments.
template <class Callable, class... Args>
class TEventSignalHandler
    : public TEventSignalHandlerImpl<Callable, IEventSignalHandler<Args...>, TSignalArgList<Args...>>
{
public:
    using TEventSignalHandlerImpl<Callable, IEventSignalHandler<Args...>,
                                  TSignalArgList<Args...>>::TEventSignalHandlerImpl;
};
} // namespace Internal

/// Makes a handler from a callable taking the event's arguments. Allocates once.
template <class... Args, class Callable>
std::unique_ptr<IEventSignalHandlerWithConnection<Args...>> MakeEventSignalHandler(Callable&& callable)
{
    using Handler = Internal::TEventSignalHandler<std::decay_t<Callable>, Args...>;
    return std::make_unique<Handler>(std::forward<Callable>(callable));
}

/// Makes a handler from a callable taking the event's arguments followed by
/// `std::shared_ptr<IEventSignalConnection> const&`. Allocates once.
template <class... Args, class Callable>
std::unique_ptr<IEventSignalHandlerWithConnection<Args...>> MakeEventSignalHandlerWithConnection(Callable&& callable)
{
    using Handler = Internal::TEventSignalHandlerWithConnectionImpl<
        std::decay_t<Callable>, IEventSignalHandlerWithConnection<Args...>, Internal::TSignalArgList<Args...>>;
    return std::make_unique<Handler>(std::forward<Callable>(callable));
}
} // namespace Base
