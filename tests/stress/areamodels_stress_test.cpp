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
    // Both threads arrive at `barrier`; false when the test is stopping.
    auto const meet = [&](std::uint64_t barrier)
    {
        arrivals.fetch_add(1);
        while (arrivals.load() < 2 * barrier && !stop.load())
            std::this_thread::yield();
        return !stop.load();
    };
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
        if (!budget.Take())
            stop.store(true);
        if (!meet(2 * i - 1))
            break;
        lower->SetOptimizationFloat(static_cast<float>(i));
        if (!meet(2 * i))
            break;
        auto const state = model.GetAreaOptimizationStateArray().GetAt(0).value();
        if (state.value != static_cast<float>(i) || state.count != i)
        {
            ADD_FAILURE() << "step " << i << ": value " << state.value << ", count " << state.count;
            stop.store(true);
        }
    }
    ReportBudget("steps", budget);
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
    RunThreads(2,
               [&](unsigned index)
               {
                   for (std::size_t i = 1; i <= Scaled(5'000, 500); ++i)
                   {
                       finals[index] = DataLayer::CReconstructionResult(
                           std::make_shared<Geometry::CTriangulation const>(i));
                       areas->GetCommonArea(index == 0 ? EAreaItems::LowerJaw : EAreaItems::UpperJaw)
                           ->SetReconstructionResult(finals[index]);
                   }
               });
    EXPECT_EQ(BusinessLayer::CReconstructionResultDataExchangeModel::EReconstructionState::Complete,
              model.GetReconstructionState().Get());
    EXPECT_EQ(finals, model.GetTriangulationArray().GetValues());
}
