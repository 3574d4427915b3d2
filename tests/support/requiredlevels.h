#pragma once
// Level arrays for the required-areas tests.
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace Orx2Test
{
using RequirementLevel = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;

/// `size` levels of `fill` (by default one per area, Optional) with Obligatory at the given areas.
inline std::vector<RequirementLevel> Levels(std::initializer_list<Base::EAreaItems> obligatory,
                                            std::size_t size = Base::kAreaItemCount,
                                            RequirementLevel fill = RequirementLevel::Optional)
{
    std::vector<RequirementLevel> levels(size, fill);
    for (Base::EAreaItems const area : obligatory)
        levels.at(Base::AreaIndex(area)) = RequirementLevel::Obligatory;
    return levels;
}

/// One digit per level, for failure messages ("2210...").
inline std::string Print(std::vector<RequirementLevel> const& levels)
{
    std::string text;
    for (RequirementLevel const level : levels)
        text += static_cast<char>('0' + static_cast<int>(level));
    return text;
}
} // namespace Orx2Test
