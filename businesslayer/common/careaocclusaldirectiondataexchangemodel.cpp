#include "businesslayer/common/careaocclusaldirectiondataexchangemodel.h"

#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/careaocclusaldirectiondataexchangemodel");
constexpr int kLineGetAreasGone = 43;
constexpr int kLineSetAreasGone = 64;
} // namespace

Logging::CLogger const
    CAreaOcclusalDirectionDataExchangeModel::s_logger(L"ORX2.CAreaOcclusalDirectionDataExchangeModel");

CAreaOcclusalDirectionDataExchangeModel::CAreaOcclusalDirectionDataExchangeModel(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
}

CAreaOcclusalDirectionDataExchangeModel::~CAreaOcclusalDirectionDataExchangeModel() = default;

JbMatrix4Rf CAreaOcclusalDirectionDataExchangeModel::GetOcclusalDirection(Base::EAreaItems area) const
{
    std::shared_ptr<ICommonAreas const> const areas = Internal::LockAreasOrThrow(
        m_areas, kSource, kLineGetAreasGone,
        "BusinessLayer::CAreaOcclusalDirectionDataExchangeModel::GetOcclusalDirection");
    if (std::shared_ptr<ICommonArea const> const object = Internal::GetInstantiatedArea(*areas, area))
    {
        Base::TOptional<JbMatrix4Rf> const stored = object->GetOcclusalDirection().GetValue();
        if (stored.HasValue())
            return stored.value();
    }
    return JbMatrix4Rf::Identity();
}

void CAreaOcclusalDirectionDataExchangeModel::SetOcclusalDirection(Base::EAreaItems area,
                                                                   JbMatrix4Rf direction)
{
    std::shared_ptr<ICommonAreas> const areas = Internal::LockAreasOrThrow(
        m_areas, kSource, kLineSetAreasGone,
        "BusinessLayer::CAreaOcclusalDirectionDataExchangeModel::SetOcclusalDirection");
    if (!Internal::EnsureAreaInstantiated(*areas, area))
        return;
    if (std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area))
        object->SetOcclusalDirection(Base::TOptional<JbMatrix4Rf>(direction));
}
} // namespace BusinessLayer
