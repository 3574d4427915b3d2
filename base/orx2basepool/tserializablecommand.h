#pragma once
#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/acquisitionbase/ipatientmanager.h"
#include "host/foundation/jbarray.h"
#include "host/foundation/jbstreamreadbinarybuffer.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"

#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace Base
{
template <class Result, class... Args> class TSerializableCommand;

/// A TCommand whose executions are recorded with their serialized arguments and can be replayed from
/// them through Execute(blob).
///
/// Arguments are taken by value or by const reference; each is serialized as its plain type with the
/// legacy binary stream operators, in order, without a version. Execute(args...) draws a new execution
/// id, hands (command, id, bytes) to the patient manager's recorder, executes as TCommand does and then
/// hands (command, id) to the recorder. An execution whose action throws is not recorded as finished.
/// Thread-safety: as TCommand.
template <class... Args> class TSerializableCommand<void, Args...> : public TCommand<void, Args...>
{
    static_assert(((!std::is_lvalue_reference_v<Args> ||
                    std::is_const_v<std::remove_reference_t<Args>>)&&...),
                  "A serializable command cannot return values through its arguments");

public:
    using TCommand<void, Args...>::TCommand;
    ~TSerializableCommand() override = default;

    /// True.
    bool IsSerializable() const override { return true; }

    /// Decodes the arguments from `blob` (as Execute(args...) encodes them) and calls the virtual
    /// Execute(args...), so the replay is recorded again under a new id. Throws OrxException before
    /// anything runs when `blob` is truncated, malformed or longer than the arguments it encodes (a
    /// blob with bytes left over belongs to some other argument list); otherwise as Execute(args...).
    std::shared_ptr<IAsyncResult<>> Execute(std::vector<unsigned char> const& blob) override
    {
        CDeliveryScope const delivery;
        auto const bytes = std::make_shared<JbArray<unsigned char> const>(blob.data(), blob.size());
        CORXStreamReadBinaryLegacy reader(std::make_shared<JbStreamReadBinaryBuffer>(bytes));
        std::tuple<std::decay_t<Args>...> arguments;
        std::apply([&reader](auto&... values) { static_cast<void>((reader >> ... >> values)); }, arguments);
        if (std::size_t const leftOver = reader.GetRemaining(); leftOver != 0)
        {
            std::string const function =
                Internal::GetCommandFunctionName<Args...>("Base::TSerializableCommand", "Execute");
            CSourceFile("base/orx2basepool/tserializablecommand")
                .Throw(__LINE__, function.c_str(), L"Command '%s': %I64u byte(s) left after its serialized arguments",
                       this->GetName().c_str(), static_cast<unsigned long long>(leftOver));
        }
        return std::apply([this](auto&... values) { return this->Execute(std::move(values)...); }, arguments);
    }

    /// Records, executes as TCommand::Execute, then records the end. Throws OrxException when an argument
    /// cannot be serialized (nothing has been recorded or run then), and what TCommand::Execute throws.
    std::shared_ptr<IAsyncResult<>> Execute(Args... args) override
    {
        // Whatever the action defers is released once the end is recorded (see TCommand::Execute).
        CDeliveryScope const delivery;
        std::uint32_t const executionId = this->setNextExecutionID();
        ICommandRecorder& recorder = GetPatientManager().GetCommandRecorder();
        {
            auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
            CORXStreamWriteBinaryLegacy writer(buffer);
            static_cast<void>((writer << ... << args));
            recorder.RecordSerializedExecution(*this, executionId, buffer->GetBytes());
        }
        std::shared_ptr<IAsyncResult<>> result =
            TCommand<void, Args...>::Execute(std::forward<Args>(args)...);
        recorder.RecordExecutionFinished(*this, executionId);
        return result;
    }
};
} // namespace Base
