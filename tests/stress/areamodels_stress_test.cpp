// Area models fed by the host from two threads at once: neither thread's last word may be lost.
#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "stress/stresssupport.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Orx2Stress;
using Base::EAreaItems;

// One thread sets an area's optimisation float, another its count, in lockstep: both start step i
// together, and once both are done the entry must hold i and i. An update that writes back a pair read
// before the other thread changed it loses one of them.
TEST(AreaModelsStress, OptimizationFloatOrCountLostUnderConcurrentUpdates)
{
    Watchdog const watchdog("AreaModelsStress.OptimizationFloatOrCountLostUnderConcurrentUpdates");
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    auto const lower = areas->GetCommonArea(EAreaItems::LowerJaw);
    BusinessLayer::CAreaOptimizationStateDataExchangeModel model(areas);
    Budget budget(Scaled(20'000, 2'000));
    std::atomic<std::uint64_t> arrivals{0};
    std::atomic<bool> stop{false};
    FaultLog faults;
    // Both threads arrive; false when the test is stopping.
    auto const meet = [&](std::uint64_t barrier)
    {
        arrivals.fetch_add(1);
        while (arrivals.load() < 2 * barrier)
        {
            if (stop.load())
                return false;
            std::this_thread::yield();
        }
        return !stop.load();
    };
    {
        Orx2Test::ScopedThread const counts(
            [&]
            {
                for (std::uint32_t i = 1; meet(2 * i - 1); ++i)
                {
                    lower->SetOptimizationCount(i);
                    if (!meet(2 * i))
                        break;
                }
            });
        for (std::uint32_t i = 1;; ++i)
        {
            bool const go = budget.Take();
            if (!go)
                stop.store(true);
            if (!meet(2 * i - 1))
                break;
            lower->SetOptimizationFloat(static_cast<float>(i));
            if (!meet(2 * i))
                break;
            auto const state = model.GetAreaOptimizationStateArray().GetAt(0).value();
            if (state.value != static_cast<float>(i) || state.count != i)
            {
                faults.Add("step " + std::to_string(i) + ": value " + std::to_string(state.value) + ", count " +
                           std::to_string(state.count));
                stop.store(true);
            }
        }
    }
    ReportBudget("steps", budget);
    EXPECT_EQ(0u, faults.Count()) << faults.First();
}

// Results of two areas arrive on two threads; whichever came last saw the other area complete, so the
// overall state ends complete with both last results.
TEST(AreaModelsStress, ResultsOnTwoThreadsEndIncompleteOrWithAStaleResult)
{
    Watchdog const watchdog("AreaModelsStress.ResultsOnTwoThreadsEndIncompleteOrWithAStaleResult");
    auto const properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    areas->InstantiateArea(EAreaItems::UpperJaw);
    BusinessLayer::CReconstructionResultDataExchangeModel model(properties, areas);
    std::vector<DataLayer::CReconstructionResult> finals(2);
    auto const rounds = static_cast<std::size_t>(Scaled(5'000, 500));
    {
        auto const engine = [&](EAreaItems area, std::size_t index)
        {
            for (std::size_t i = 1; i <= rounds; ++i)
            {
                finals[index] =
                    DataLayer::CReconstructionResult(std::make_shared<Geometry::CTriangulation const>(i));
                areas->GetCommonArea(area)->SetReconstructionResult(finals[index]);
            }
        };
        Orx2Test::ScopedThread const lowerEngine([&] { engine(EAreaItems::LowerJaw, 0); });
        Orx2Test::ScopedThread const upperEngine([&] { engine(EAreaItems::UpperJaw, 1); });
    }
    EXPECT_EQ(BusinessLayer::CReconstructionResultDataExchangeModel::EReconstructionState::Complete,
              model.GetReconstructionState().Get());
    EXPECT_EQ(finals, model.GetTriangulationArray().GetValues());
}
