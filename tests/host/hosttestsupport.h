#pragma once
// Helpers shared by the host tests: a minimal command and a per-thread allocation probe.
#include "base/orx2basepool/icommandbase.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace HostTest
{
/// A command that only has a name; the host services never execute what they store.
class CNamedCommand final : public Base::ICommandBase
{
public:
    explicit CNamedCommand(std::wstring name) : m_name(std::move(name)) {}
    bool IsSerializable() const override { return true; }
    std::shared_ptr<Base::IAsyncResult<>> Execute(std::vector<unsigned char> const&) override
    {
        return nullptr;
    }
    std::wstring GetName() const override { return m_name; }

private:
    std::wstring m_name;
};

inline std::shared_ptr<Base::ICommandBase> MakeCommand(std::wstring name)
{
    return std::make_shared<CNamedCommand>(std::move(name));
}

/// The largest single operator new request made by the calling thread since the probe was created.
class CAllocationProbe
{
public:
    CAllocationProbe();
    std::size_t GetLargest() const;
};
} // namespace HostTest
