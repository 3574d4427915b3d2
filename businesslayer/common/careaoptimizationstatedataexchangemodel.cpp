#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/careaoptimizationstatedataexchangemodel");
} // namespace

using Base::AreaIndex;
using Base::EAreaItems;
using State = CAreaOptimizationStateDataExchangeModel::SAreaOptimizationState;

Logging::CLogger const
    CAreaOptimizationStateDataExchangeModel::s_logger(L"ORX2.CAreaOptimizationStateDataExchangeModel");

CAreaOptimizationStateDataExchangeModel::CAreaOptimizationStateDataExchangeModel(
    std::shared_ptr<ICommonAreas const> const& areas)
{
    if (!areas)
        kSource.Throw(__LINE__,
                      "BusinessLayer::CAreaOptimizationStateDataExchangeModel::"
                      "CAreaOptimizationStateDataExchangeModel",
                      Internal::kAreasMustBeSet);
    Internal::SharedAreaList const list = Internal::TakeAreaList(*areas);
    // Every observed area has an entry before its handlers first read it.
    for (EAreaItems const area : *list)
        if (Internal::IsRealArea(area))
            m_states.SetAt(AreaIndex(area), State());
    using Self = CAreaOptimizationStateDataExchangeModel;
    GetOwnerGuard().Open();
    Internal::ForEachInstantiatedArea(
        *areas, *list,
        [this](EAreaItems area, std::shared_ptr<ICommonArea const> const& object)
        {
            if (!Internal::IsRealArea(area))
                return;
            using Base::BindToOwner;
            using Base::Binding::TValueChangedObserver;
            m_observers.push_back(TValueChangedObserver<float>(
                object->GetOptimizationFloat(),
                BindToOwner(GetOwnerGuard(), *this,
                            [area](Self& self, float value)
                            { self.UpdateState(area, [value](State& state) { state.value = value; }); })));
            m_observers.push_back(TValueChangedObserver<std::uint32_t>(
                object->GetOptimizationCount(),
                BindToOwner(GetOwnerGuard(), *this,
                            [area](Self& self, std::uint32_t count)
                            { self.UpdateState(area, [count](State& state) { state.count = count; }); })));
            m_observers.push_back(TValueChangedObserver<Base::COptimizationProgress>(
                object->GetOptimizationProgress(),
                BindToOwner(GetOwnerGuard(), *this,
                            [area](Self& self, Base::COptimizationProgress const& progress)
                            { self.m_progress.SetAt(AreaIndex(area), progress); })));
        });
}

CAreaOptimizationStateDataExchangeModel::~CAreaOptimizationStateDataExchangeModel()
{
    GetOwnerGuard().Close();
    m_observers.clear();
}

template <class Update>
void CAreaOptimizationStateDataExchangeModel::UpdateState(EAreaItems area, Update update)
{
    // The float and the count come from two sources, possibly on two threads, and the host may set the
    // whole entry meanwhile; without the lock one update could write back a field it read before
    // another update changed it. The table is the truth; the array is published from it after the lock
    // is released, again while another update came in meanwhile, so the last publication is current.
    {
        std::lock_guard<std::mutex> const lock(m_stateUpdateMutex);
        update(m_stateTable[AreaIndex(area)]);
    }
    m_stateVersion.Recompute(
        [this, area]
        {
            State state;
            {
                std::lock_guard<std::mutex> const lock(m_stateUpdateMutex);
                state = m_stateTable[AreaIndex(area)];
            }
            m_states.SetAt(AreaIndex(area), state);
        });
}

Base::Binding::IArrayBindingSource<State> const&
CAreaOptimizationStateDataExchangeModel::GetAreaOptimizationStateArray() const
{
    return m_states;
}

Base::Binding::IArrayBindingSource<Base::COptimizationProgress> const&
CAreaOptimizationStateDataExchangeModel::GetAreaOptimizationProgressArray() const
{
    return m_progress;
}

void CAreaOptimizationStateDataExchangeModel::SetAreaOptimizationState(EAreaItems area, State state)
{
    if (Internal::IsRealArea(area))
        UpdateState(area, [&state](State& entry) { entry = state; });
}
} // namespace BusinessLayer
