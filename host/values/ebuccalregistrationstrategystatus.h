#pragma once
#include <cstdint>

namespace Base
{
/// The state of the engine's strategy for registering the buccal scan. The values are the host's; this
/// library only passes them on.
enum class EBuccalRegistrationStrategyStatus : std::int32_t
{
    NotStarted = 0,
    Running = 1,
    Succeeded = 2,
    Failed = 3,
};
} // namespace Base
