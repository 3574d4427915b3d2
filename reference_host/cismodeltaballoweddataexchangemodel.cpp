#include "reference_host/cismodeltaballoweddataexchangemodel.h"

#include "base/orx2basepool/internal/lockorthrow.h"
#include "host/foundation/orxexception.h"

namespace ReferenceHost
{
namespace
{
constexpr Base::CSourceFile kSource("reference_host/cismodeltaballoweddataexchangemodel");
constexpr char const* kGetAreaDataAvailable =
    "ReferenceHost::CIsModelTabAllowedDataExchangeModel::GetAreaDataAvailable";
} // namespace

CIsModelTabAllowedDataExchangeModel::CIsModelTabAllowedDataExchangeModel(
    std::shared_ptr<BusinessLayer::ICommonAcquisitionProperties> const& properties,
    std::shared_ptr<BusinessLayer::ICommonAreas> const& areas)
    : CIsModelTabAllowedDataExchangeModelBase(properties, areas), m_areas(areas)
{
    // Only now is GetAreaDataAvailable this class's.
    Init();
}

CIsModelTabAllowedDataExchangeModel::~CIsModelTabAllowedDataExchangeModel()
{
    // Before anything of this class goes: the base's handlers call GetAreaDataAvailable.
    GetOwnerGuard().Close();
}

Base::Binding::IValueBindingSource<bool> const&
CIsModelTabAllowedDataExchangeModel::GetAreaDataAvailable(Base::EAreaItems area)
{
    std::shared_ptr<BusinessLayer::ICommonAreas> const areas = Base::Internal::LockOrThrow(
        m_areas, kSource, __LINE__, kGetAreaDataAvailable, L"The areas must be set");
    std::shared_ptr<BusinessLayer::ICommonArea> object;
    areas->GetArea(object, area);
    if (!object)
        kSource.Throw(__LINE__, kGetAreaDataAvailable, L"The area %s is not instantiated",
                      Base::GetAreaName(area).c_str());
    // The source lives in the area object, which the host keeps while the area is instantiated.
    return object->GetHasDataOrReco();
}
} // namespace ReferenceHost
