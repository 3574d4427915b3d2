#pragma once
#include "base/orx2basepool/interfaces/iareaentitycollectiondataexchangemodel.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Hands copies of the geometric entities of the host's areas to the GUI. Unlike the other models it
/// shares ownership of the host's areas, which so live at least as long as this model.
/// Thread-safety: as the host's areas.
class ORX2_COMMON_EXPORT CCommonAreaEntityCollectionDataExchangeModel
    : public Base::IAreaEntityCollectionDataExchangeModel
{
public:
    /// Keeps `areas`. Throws OrxException "The areas must be set" when `areas` is empty.
    explicit CCommonAreaEntityCollectionDataExchangeModel(std::shared_ptr<ICommonAreas> areas);
    ~CCommonAreaEntityCollectionDataExchangeModel() override;

    /// A copy of the entities of the instantiated `area`; empty for any other area. Throws
    /// std::bad_alloc.
    std::vector<Base::CGeometricEntityPacket> GetContainedEntities(Base::EAreaItems area) override;

private:
    static Logging::CLogger const s_logger;

    std::shared_ptr<ICommonAreas> const m_areas;
};
} // namespace BusinessLayer
