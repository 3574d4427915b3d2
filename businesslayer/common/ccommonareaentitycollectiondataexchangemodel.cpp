#include "businesslayer/common/ccommonareaentitycollectiondataexchangemodel.h"

#include "base/orx2basepool/csourcefile.h"
#include "businesslayer/common/internal/commonareasaccess.h"

#include <utility>

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ccommonareaentitycollectiondataexchangemodel");
} // namespace

Logging::CLogger const CCommonAreaEntityCollectionDataExchangeModel::s_logger(
    L"ORX2.CCommonAreaEntityCollectionDataExchangeModel");

CCommonAreaEntityCollectionDataExchangeModel::CCommonAreaEntityCollectionDataExchangeModel(
    std::shared_ptr<ICommonAreas> areas)
    : m_areas(std::move(areas))
{
    if (!m_areas)
        kSource.Throw(__LINE__,
                      "BusinessLayer::CCommonAreaEntityCollectionDataExchangeModel::"
                      "CCommonAreaEntityCollectionDataExchangeModel",
                      Internal::kAreasMustBeSet);
}

CCommonAreaEntityCollectionDataExchangeModel::~CCommonAreaEntityCollectionDataExchangeModel() = default;

std::vector<Base::CGeometricEntityPacket>
CCommonAreaEntityCollectionDataExchangeModel::GetContainedEntities(Base::EAreaItems area)
{
    std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*m_areas, area);
    if (!object)
        return {};
    DataLayer::CGeometricEntityBatch batch;
    object->GetEntityBatch(batch);
    return batch.GetElements();
}
} // namespace BusinessLayer
