#pragma once
#include <cstdint>

namespace BusinessLayer
{
/// Where the operator sits relative to the patient, as the host reports it.
enum class EORXSeatPosition : std::int32_t
{
    NotSet = -1,
    Left = 0,
    Right = 1,
};
} // namespace BusinessLayer
