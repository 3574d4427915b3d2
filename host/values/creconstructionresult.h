#pragma once
// The reconstruction result of one scan area, a value of the host data-container library.
#include "host/values/ctriangulation.h"
#include "host/foundation/jbsmartpointer.h"

#include <utility>

namespace DataLayer
{
/// What the reconstruction of an area produced: a triangulation, or none yet. A value type; copying
/// shares the triangulation. Not thread-safe by itself.
class CReconstructionResult
{
public:
    /// No triangulation.
    CReconstructionResult() = default;
    /// The result with `triangulation`.
    explicit CReconstructionResult(JbSmartPointer<Geometry::CTriangulation const> triangulation) noexcept
        : m_triangulation(std::move(triangulation))
    {
    }

    /// The triangulation; empty while the area has no reconstruction.
    JbSmartPointer<Geometry::CTriangulation const> const& GetTriangulation() const noexcept
    {
        return m_triangulation;
    }

    /// Two results are equal when they share the same triangulation (or both have none).
    friend bool operator==(CReconstructionResult const& a, CReconstructionResult const& b) noexcept
    {
        return a.m_triangulation == b.m_triangulation;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(CReconstructionResult const& a, CReconstructionResult const& b) noexcept
    {
        return !(a == b);
    }

private:
    JbSmartPointer<Geometry::CTriangulation const> m_triangulation;
};
} // namespace DataLayer
