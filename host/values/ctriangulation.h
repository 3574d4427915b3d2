#pragma once
// The triangulated surface of the host geometry library. Passed through by pointer, never looked into.
#include <cstddef>

namespace Geometry
{
/// A reconstructed surface. Immutable once made; shared as `JbSmartPointer<CTriangulation const>`.
class CTriangulation
{
public:
    /// A surface of `triangleCount` triangles.
    explicit CTriangulation(std::size_t triangleCount = 0) noexcept : m_triangleCount(triangleCount) {}

    /// The number of triangles.
    std::size_t GetTriangleCount() const noexcept { return m_triangleCount; }

private:
    std::size_t m_triangleCount;
};
} // namespace Geometry
