#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/isurfelcollectioncolored.h"

#include <memory>

namespace Base
{
/// The host's coloured surfel collections, per area and of all areas.
class IAreaSurfelColletionDataExchangeModel : public INonCopyable
{
public:
    virtual ~IAreaSurfelColletionDataExchangeModel() = default;

    /// The collection of `area`; may be empty.
    virtual std::shared_ptr<ISurfelCollectionColored> GetSurfelCollection(EAreaItems area) = 0;
    /// The collection of all areas; may be empty.
    virtual std::shared_ptr<ISurfelCollectionColored> GetSurfelCollection() = 0;
};

/// What the GUI binds of `IAreaSurfelColletionDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAreaSurfelColletionDataExchangeModel>
    : Describe::TMembersOf<IAreaSurfelColletionDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // Both getters are overloads and neither is const: the cast names the one meant.
        using Collection = std::shared_ptr<ISurfelCollectionColored>;
        return std::make_tuple(
            AreaValue<Collection>("AreaSurfelCollection",
                                  static_cast<Collection (I::*)(EAreaItems)>(&I::GetSurfelCollection)),
            Value<Collection>("SurfelCollection", static_cast<Collection (I::*)()>(&I::GetSurfelCollection)));
    }
};
} // namespace Base
