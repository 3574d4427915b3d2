#pragma once
#include "base/orx2basepool/orx2basepoolexport.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Base
{
/// The scan areas of an acquisition. The values are dense from 0 and index every per-area array;
/// `ItemCount` is the number of real areas and the length of those arrays.
enum class EAreaItems : std::int32_t
{
    Undefined = -1,
    LowerJaw = 0,
    UpperJaw = 1,
    BuccalReg = 2, ///< bite registration between the jaws
    BiogenRefLower = 3,
    BiogenRefUpper = 4,
    GingivaMaskLower = 5,
    GingivaMaskUpper = 6,
    PreOpLower = 7,
    PreOpUpper = 8,
    BiteLower = 9,
    BiteUpper = 10,
    ArticulationReg = 11,
    ScanbodyLower = 12,
    ScanbodyUpper = 13,
    ItemCount = 14,
};

/// The number of real areas: the length of every per-area array.
constexpr std::size_t kAreaItemCount = static_cast<std::size_t>(EAreaItems::ItemCount);

/// The position of `area` in a per-area array. Only meaningful for the real areas 0 to 13.
constexpr std::size_t AreaIndex(EAreaItems area) noexcept
{
    return static_cast<std::size_t>(area);
}

/// The enumerator name of `area` ("LowerJaw", "Undefined", "ItemCount", ...) for the values -1 to 14,
/// an empty string for any other value. Identifiers such as per-area command names are built from it.
/// Thread-safe; throws only std::bad_alloc.
ORX2_BASEPOOL_EXPORT std::wstring GetAreaName(EAreaItems area);
} // namespace Base
