#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"

#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
Logging::CLogger const CIsRunningExceptReconstructionDataExchangeModel::s_logger(
    L"ORX2.CIsRunningExceptReconstructionDataExchangeModel");

CIsRunningExceptReconstructionDataExchangeModel::CIsRunningExceptReconstructionDataExchangeModel(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
}

CIsRunningExceptReconstructionDataExchangeModel::~CIsRunningExceptReconstructionDataExchangeModel() = default;

Base::Binding::IValueBindingSource<bool> const&
CIsRunningExceptReconstructionDataExchangeModel::GetIsRunningExceptReconstructionBindingSource() const
{
    return Internal::LockAreasOrThrow(
               m_areas, "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel", 39,
               "BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel::"
               "GetIsRunningExceptReconstructionBindingSource")
        ->GetIsRunningExceptReconstructionBindingSource();
}
} // namespace BusinessLayer
