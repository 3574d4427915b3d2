#pragma once
#include <cstdint>

/// The acquisition device (scanner model) a calibration runs on. The host defines the values and may
/// send any 32-bit value; -1 means that there is no device.
enum class EORXAcquireDevice : std::int32_t
{
    NoDevice = -1,
};
