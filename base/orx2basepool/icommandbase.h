#pragma once
#include "base/orx2basepool/inoncopyable.h"

#include <memory>
#include <string>
#include <vector>

namespace Base
{
template <class... T> class IAsyncResult;

/// What a host sees of any command: a name to find it by and an entry point taking serialized arguments.
/// Commands are owned by std::shared_ptr; the host keeps only weak references (see CCommandRegistry).
class ICommandBase : public INonCopyable
{
public:
    virtual ~ICommandBase() = default;

    /// True when the command's arguments can be serialized, so that Execute(blob) is usable and its
    /// executions can be recorded and replayed. Thread-safe; never throws.
    virtual bool IsSerializable() const = 0;

    /// Runs the command with arguments decoded from `blob`. Returns the result of the execution, which may
    /// complete later. Throws OrxException when the command is not serializable or `blob` is malformed.
    /// Thread-safety: as documented by the command.
    virtual std::shared_ptr<IAsyncResult<>> Execute(std::vector<unsigned char> const& blob) = 0;

    /// The name the command is registered and recorded under. Constant over the command's lifetime;
    /// thread-safe.
    virtual std::wstring GetName() const = 0;
};
} // namespace Base
