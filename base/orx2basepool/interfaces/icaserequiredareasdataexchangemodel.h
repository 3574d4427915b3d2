#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarrayproperty.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>
#include <vector>

namespace Base
{
/// The scan areas that a case prescribes, as one requirement level per area (position = EAreaItems
/// value), and the area to activate first.
class ICaseRequiredAreasDataExchangeModel : public INotifyPropertyChanged
{
public:
    /// How strongly a case asks for an area. Only Obligatory matters; NotRequired and Optional are
    /// treated alike, and Optional is what a position gets that a level array does not cover.
    enum class EAreaRequirementLevel : std::int32_t
    {
        NotRequired = 0,
        Optional = 1,
        Obligatory = 2,
    };

    ~ICaseRequiredAreasDataExchangeModel() override = default;

    /// Replaces the prescribed levels from position 0 (a longer array grows, a shorter one keeps its
    /// tail) and derives the default active area. Thread-safety and exceptions: see the implementation.
    virtual void SetRequiredAreasArray(std::vector<EAreaRequirementLevel> const& levels) = 0;
    /// The prescribed levels; observe it like any array source. Lives as long as the model.
    virtual Binding::IArrayProperty<EAreaRequirementLevel> const& GetRequiredAreasArray() = 0;
    /// The area to activate first. Lives as long as the model.
    virtual IProperty<EAreaItems> const& GetDefaultActiveArea() const = 0;
};

/// What the GUI binds of `ICaseRequiredAreasDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<ICaseRequiredAreasDataExchangeModel>
    : Describe::TMembersOf<ICaseRequiredAreasDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<I::EAreaRequirementLevel>("RequiredAreasArray", &I::GetRequiredAreasArray),
            Property<EAreaItems>("DefaultActiveArea", &I::GetDefaultActiveArea));
        // clang-format on
    }
};
} // namespace Base
