#pragma once
// The state of the camera device, a value of the host acquisition base library.
#include "host/foundation/cstringw.h"

#include <cstdint>
#include <utility>

namespace Base
{
/// What the camera device reported last: its state and the name it reports itself under. The
/// acquisition button carries it to the GUI; this library copies and compares it and never looks
/// inside. A value type: copy freely; not thread-safe by itself.
class CDeviceStateChanged
{
public:
    /// The device's state. Unknown until the device has reported anything.
    enum class EDeviceState : std::int32_t
    {
        Unknown = 0,
        Disconnected = 1,
        Connected = 2,
        Acquiring = 3,
        Failed = 4
    };

    /// Unknown, no name. Never throws.
    CDeviceStateChanged() noexcept = default;
    /// Throws std::bad_alloc.
    CDeviceStateChanged(EDeviceState state, CStringW deviceName)
        : m_state(state), m_deviceName(std::move(deviceName))
    {
    }

    /// The device's new state.
    EDeviceState GetState() const noexcept { return m_state; }
    /// The device's name.
    CStringW const& GetDeviceName() const noexcept { return m_deviceName; }

    /// Equal when every field is equal.
    friend bool operator==(CDeviceStateChanged const& a, CDeviceStateChanged const& b) noexcept
    {
        return a.m_state == b.m_state && a.m_deviceName == b.m_deviceName;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(CDeviceStateChanged const& a, CDeviceStateChanged const& b) noexcept
    {
        return !(a == b);
    }

private:
    EDeviceState m_state = EDeviceState::Unknown;
    CStringW m_deviceName;
};
} // namespace Base
