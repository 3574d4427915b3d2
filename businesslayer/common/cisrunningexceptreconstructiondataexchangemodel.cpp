#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
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
    if (!areas)
        return;
    m_guard.Open();
    m_isRunningObserver = Base::Binding::TValueChangedObserver<bool>(
        areas->GetIsRunningExceptReconstructionBindingSource(),
        Base::BindToOwner(m_guard, *this,
                          [](CIsRunningExceptReconstructionDataExchangeModel& self, bool running)
                          { self.m_isRunning.Set(running); }));
}

CIsRunningExceptReconstructionDataExchangeModel::~CIsRunningExceptReconstructionDataExchangeModel()
{
    m_guard.Close();
    m_isRunningObserver.Reset();
}

Base::Binding::IValueBindingSource<bool> const&
CIsRunningExceptReconstructionDataExchangeModel::GetIsRunningExceptReconstructionBindingSource() const
{
    static_cast<void>(
        Internal::LockAreasOrThrow(m_areas, kSource, kLineAreasGone,
                                   "BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel::"
                                   "GetIsRunningExceptReconstructionBindingSource"));
    return m_isRunning;
}
} // namespace BusinessLayer
