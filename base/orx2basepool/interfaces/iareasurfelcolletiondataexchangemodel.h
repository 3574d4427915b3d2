#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inoncopyable.h"
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
} // namespace Base
