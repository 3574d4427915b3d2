#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/interfaces/iareaoptimizationstatedataexchangemodel.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/internal/cinputversion.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace BusinessLayer
{
/// Publishes the optimisation state and progress of the areas, position = EAreaItems value.
///
/// At construction every area the host lists gets a zero state, and the areas instantiated then are
/// followed: their optimisation float and count update the two fields of their state entry (each keeps
/// the other field), their optimisation progress the progress entry. Areas instantiated later are not
/// followed. The model keeps no reference to the host's areas.
/// Thread-safety: every member may be called from any thread; updates of the two fields of one entry
/// never lose each other, and once updates stop the array holds the last state of every entry. The
/// handlers are bound to the model's owner guard (see Base::HoldDuringBoundCalls).
class ORX2_COMMON_EXPORT CAreaOptimizationStateDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::IAreaOptimizationStateDataExchangeModel>
{
public:
    /// Fills the state array and starts following the instantiated areas of `areas`. Throws
    /// OrxException "The areas must be set" when `areas` is empty, std::bad_alloc.
    explicit CAreaOptimizationStateDataExchangeModel(std::shared_ptr<ICommonAreas const> const& areas);
    /// Closes the guard (waiting for handlers running on other threads) before the members go.
    ~CAreaOptimizationStateDataExchangeModel() override;

    Base::Binding::IArrayBindingSource<SAreaOptimizationState> const&
    GetAreaOptimizationStateArray() const override;
    Base::Binding::IArrayBindingSource<Base::COptimizationProgress> const&
    GetAreaOptimizationProgressArray() const override;
    /// Replaces the state entry of `area`; does nothing for areas outside 0 to 13.
    void SetAreaOptimizationState(Base::EAreaItems area, SAreaOptimizationState state) override;

private:
    /// Lets `update(State&)` change the entry of `area`, atomically with the other updates, and publishes
    /// it (the lock is not held while the array notifies).
    template <class Update> void UpdateState(Base::EAreaItems area, Update update);

    static Logging::CLogger const s_logger;
    Base::Binding::TArrayProperty<SAreaOptimizationState> m_states;
    Base::Binding::TArrayProperty<Base::COptimizationProgress> m_progress;
    std::mutex m_stateUpdateMutex; // guards m_stateTable: read-modify-write of an entry is atomic
    std::array<SAreaOptimizationState, Base::kAreaItemCount> m_stateTable{};
    Internal::CInputVersion m_stateVersion;
    std::vector<Base::Binding::CObserver> m_observers;
};
} // namespace BusinessLayer
