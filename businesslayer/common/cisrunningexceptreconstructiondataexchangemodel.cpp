#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"

#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/cisrunningexceptreconstructiondataexchangemodel");
constexpr int kLineAreasGone = 39;
} // namespace

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
    return Internal::ReferenceInto(
        Internal::LockAreasOrThrow(m_areas, kSource, kLineAreasGone,
                                   "BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel::"
                                   "GetIsRunningExceptReconstructionBindingSource"),
        [](ICommonAreas& areas) { return &areas.GetIsRunningExceptReconstructionBindingSource(); });
}
} // namespace BusinessLayer
