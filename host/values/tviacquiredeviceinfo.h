#pragma once
// The host device library's description of an acquisition device, reduced to the type this code base
// carries: the device type of a calibration wait request.
#include <cstdint>

/// Information about an acquisition device. Only its type enumeration is used here.
class TvIAcquireDeviceInfo
{
public:
    /// The kind of device a calibration step concerns. The values are the host's; this code base only
    /// stores and passes them on, so any 32-bit value may appear.
    enum class EDeviceType : std::int32_t
    {
        Unknown = 0,
    };

    TvIAcquireDeviceInfo() = delete;
};
