#include "businesslayer/common/cinstantiatedareadataexchangemodel.h"

#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/cinstantiatedareadataexchangemodel");
constexpr int kLineAreasGone = 43;
} // namespace

Logging::CLogger const
    CInstantiatedAreaDataExchangeModel::s_logger(L"ORX2.CInstantiatedAreaDataExchangeModel");

CInstantiatedAreaDataExchangeModel::CInstantiatedAreaDataExchangeModel(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
}

CInstantiatedAreaDataExchangeModel::~CInstantiatedAreaDataExchangeModel() = default;

void CInstantiatedAreaDataExchangeModel::InstantiateArea(Base::EAreaItems area)
{
    Internal::EnsureAreaInstantiated(
        *Internal::LockAreasOrThrow(m_areas, kSource, kLineAreasGone,
                                    "BusinessLayer::CInstantiatedAreaDataExchangeModel::InstantiateArea"),
        area);
}
} // namespace BusinessLayer
