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

// One thread sets an area's optimisation float, another its count; the model's entry must end with both
// last values (an update that rebuilds the pair from a stale copy loses one of them).
TEST(AreaModelsStress, OptimizationFloatOrCountLostUnderConcurrentUpdates)
{
    Watchdog const watchdog("AreaModelsStress.OptimizationFloatOrCountLostUnderConcurrentUpdates");
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    auto const lower = areas->GetCommonArea(EAreaItems::LowerJaw);
    BusinessLayer::CAreaOptimizationStateDataExchangeModel model(areas);
    auto const rounds = static_cast<std::uint32_t>(Scaled(20'000, 2'000));
    {
        Orx2Test::ScopedThread const floats(
            [&]
            {
                for (std::uint32_t i = 1; i <= rounds; ++i)
                    lower->SetOptimizationFloat(static_cast<float>(i));
            });
        Orx2Test::ScopedThread const counts(
            [&]
            {
                for (std::uint32_t i = 1; i <= rounds; ++i)
                    lower->SetOptimizationCount(i);
            });
    }
    auto const state = model.GetAreaOptimizationStateArray().GetAt(0).value();
    EXPECT_EQ(static_cast<float>(rounds), state.value);
    EXPECT_EQ(rounds, state.count);
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
