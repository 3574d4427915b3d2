#pragma once
// The geometric entities of one scan area, a value of the host data-container library.
#include "host/values/cgeometricentitypacket.h"

#include <utility>
#include <vector>

namespace DataLayer
{
/// A list of geometric entities. A value type; not thread-safe by itself.
class CGeometricEntityBatch
{
public:
    CGeometricEntityBatch() = default;
    /// A batch of `elements`.
    explicit CGeometricEntityBatch(std::vector<Base::CGeometricEntityPacket> elements)
        : m_elements(std::move(elements))
    {
    }

    /// The entities in the host's order.
    std::vector<Base::CGeometricEntityPacket> const& GetElements() const noexcept { return m_elements; }

private:
    std::vector<Base::CGeometricEntityPacket> m_elements;
};
} // namespace DataLayer
