#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/cgeometricentitypacket.h"

#include <vector>

namespace Base
{
/// The geometric entities (cuts, markings, ...) the host keeps with each area.
class IAreaEntityCollectionDataExchangeModel : public INonCopyable
{
public:
    virtual ~IAreaEntityCollectionDataExchangeModel() = default;

    /// A copy of the entities of `area`; empty when the area does not exist.
    virtual std::vector<CGeometricEntityPacket> GetContainedEntities(EAreaItems area) = 0;
};

/// What the GUI binds of `IAreaEntityCollectionDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAreaEntityCollectionDataExchangeModel>
    : Describe::TMembersOf<IAreaEntityCollectionDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            AreaValue<std::vector<CGeometricEntityPacket>>("ContainedEntities", &I::GetContainedEntities));
        // clang-format on
    }
};
} // namespace Base
