#pragma once
// The optimisation progress of one scan area, a value of the host acquisition base library.

namespace Base
{
/// How far the engine's optimisation of an area has come. Copied whole, never interpreted here.
/// A value type.
class COptimizationProgress
{
public:
    /// A progress of `progress` (a fraction).
    explicit COptimizationProgress(float progress = 0.0f) noexcept : m_progress(progress) {}

    /// The host's progress figure.
    float GetProgress() const noexcept { return m_progress; }

    /// Equal when every field is equal.
    friend bool operator==(COptimizationProgress const& a, COptimizationProgress const& b) noexcept
    {
        return a.m_progress == b.m_progress;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(COptimizationProgress const& a, COptimizationProgress const& b) noexcept
    {
        return !(a == b);
    }

private:
    float m_progress;
};
} // namespace Base
