#include "host/acquisitionbase/acommandbase.h"

#include "base/orx2basepool/csilentchangeowner.h"

#include <atomic>

namespace Base
{
namespace
{
// The owner of the process-wide command counter. Defined before the counter so that it is destroyed
// after it: the counter's owner link fires this object's event until the counter is gone.
CSilentChangeOwner s_commandStateOwner;
std::atomic<std::uint32_t> s_lastExecutionId{0};
} // namespace

Binding::TValueStreamSource<ICommandBase*> ACommandBase::ms_EventCommandStream;
TProperty<unsigned int> ACommandBase::s_numberOfActiveGUILockingCommands(0U, s_commandStateOwner);

ACommandBase::ACommandBase(std::wstring const& name) : m_name(name) {}

ACommandBase::~ACommandBase() = default;

std::wstring ACommandBase::GetName() const
{
    return m_name;
}

std::uint32_t ACommandBase::setNextExecutionID() noexcept
{
    return s_lastExecutionId.fetch_add(1, std::memory_order_relaxed) + 1;
}
} // namespace Base
