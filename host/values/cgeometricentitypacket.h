#pragma once
// One geometric entity (a cut, a marking, ...) that the engine keeps with a scan area.
#include <cstdint>

namespace Base
{
/// A geometric entity as the host hands it out: copied whole, never looked into here. A value type.
class CGeometricEntityPacket
{
public:
    /// The entity with the host's identifier `id`.
    explicit CGeometricEntityPacket(std::uint64_t id = 0) noexcept : m_id(id) {}

    /// The host's identifier of the entity.
    std::uint64_t GetId() const noexcept { return m_id; }

    /// Equal when every field is equal.
    friend bool operator==(CGeometricEntityPacket const& a, CGeometricEntityPacket const& b) noexcept
    {
        return a.m_id == b.m_id;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(CGeometricEntityPacket const& a, CGeometricEntityPacket const& b) noexcept
    {
        return !(a == b);
    }

private:
    std::uint64_t m_id;
};
} // namespace Base
