#pragma once
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tserializablecommand.h"

#include <functional>
#include <memory>
#include <string>

namespace Orx2Sim
{
/// A serializable command through which a step drives the host, registered under "Simulator." and
/// `name`: its executions appear on the command stream with an execution id, --record keeps them and a
/// replay finds them by name. Not GUI-locking (the engine, not the user, acts). The argument types need
/// a TCommandArgument and their list a line in CCommandSignatures. Throws std::bad_alloc.
template <class... Args, class Action>
std::shared_ptr<Base::TSerializableCommand<void, Args...>> MakeSimulatorCommand(std::wstring const& name,
                                                                                Action action)
{
    return Base::MakeRegisteredCommand<Base::TSerializableCommand<void, Args...>>(
        std::function<void(Args...)>(std::move(action)), L"Simulator." + name, false);
}
} // namespace Orx2Sim
