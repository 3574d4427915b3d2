#include "businesslayer/common/careasurfelcolletiondataexchangemodel.h"

namespace BusinessLayer
{
Logging::CLogger const
    CAreaSurfelColletionDataExchangeModel::s_logger(L"ORX2.CAreaSurfelColletionDataExchangeModel");

CAreaSurfelColletionDataExchangeModel::CAreaSurfelColletionDataExchangeModel(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
}

CAreaSurfelColletionDataExchangeModel::~CAreaSurfelColletionDataExchangeModel() = default;

std::shared_ptr<Base::ISurfelCollectionColored>
CAreaSurfelColletionDataExchangeModel::GetSurfelCollection(Base::EAreaItems area)
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    return areas ? areas->GetSurfelCollection(area) : nullptr;
}

std::shared_ptr<Base::ISurfelCollectionColored> CAreaSurfelColletionDataExchangeModel::GetSurfelCollection()
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    return areas ? areas->GetSurfelCollection() : nullptr;
}
} // namespace BusinessLayer
