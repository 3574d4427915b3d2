#pragma once
#include <cstdint>

namespace BusinessLayer
{
/// What the camera's live view currently shows. The host defines the values and may send others;
/// consumers map ranges of values (see the live image view model).
enum class ELiveViewStatus : std::int32_t
{
    Off = 0,
    Starting = 1,
    SearchingPosition = 2,
    PositionLost = 3,
    Tracking = 4,
    Ready = 5,
};
} // namespace BusinessLayer
