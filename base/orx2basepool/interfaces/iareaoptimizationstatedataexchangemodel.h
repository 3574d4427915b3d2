#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/coptimizationprogress.h"

#include <cstdint>

namespace Base
{
/// The engine's optimisation state and progress of every area, position = EAreaItems value.
class IAreaOptimizationStateDataExchangeModel : public INotifyPropertyChanged
{
public:
    /// The two figures of an area's optimisation state, stored as the host reports them.
    struct SAreaOptimizationState
    {
        float value = 0.0f; ///< The optimisation's figure of merit.
        std::uint32_t count = 0; ///< How often the area was optimised.

        /// Equal when both figures are.
        friend bool operator==(SAreaOptimizationState const& a, SAreaOptimizationState const& b) noexcept
        {
            return a.value == b.value && a.count == b.count;
        }
        /// Not equal when one figure differs.
        friend bool operator!=(SAreaOptimizationState const& a, SAreaOptimizationState const& b) noexcept
        {
            return !(a == b);
        }
    };

    ~IAreaOptimizationStateDataExchangeModel() override = default;

    /// One state per area. Lives as long as the model.
    virtual Binding::IArrayBindingSource<SAreaOptimizationState> const&
    GetAreaOptimizationStateArray() const = 0;
    /// One progress per observed area. Lives as long as the model.
    virtual Binding::IArrayBindingSource<COptimizationProgress> const&
    GetAreaOptimizationProgressArray() const = 0;
    /// Overwrites the state of `area`.
    virtual void SetAreaOptimizationState(EAreaItems area, SAreaOptimizationState state) = 0;
};

/// What the GUI binds of `IAreaOptimizationStateDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAreaOptimizationStateDataExchangeModel>
    : Describe::TMembersOf<IAreaOptimizationStateDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<I::SAreaOptimizationState>("AreaOptimizationStateArray", &I::GetAreaOptimizationStateArray),
            ArraySource<COptimizationProgress>(
                "AreaOptimizationProgressArray", &I::GetAreaOptimizationProgressArray));
        // clang-format on
    }
};
} // namespace Base
