// Faults seen with an engine, a GUI and a destroying thread working on the models at once, each pinned
// by a small test named after it.
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "stress/stresssupport.h"
#include "support/commandenvironment.h"
#include "support/requiredlevels.h"
#include "support/threadhelpers.h"
#include "support/vanishingareas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
using Base::EAreaItems;
using Level = Orx2Test::RequirementLevel;
using Orx2Test::Levels;
using Orx2Test::ScopedThread;
using A = EAreaItems;

std::string Print(std::vector<Level> const& levels)
{
    std::string text;
    for (Level const level : levels)
        text += static_cast<char>('0' + static_cast<int>(level));
    return text;
}

class StormFaults : public Orx2Test::CommandEnvironment
{
protected:
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> properties =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();

    void Instantiate(EAreaItems area, bool hasData)
    {
        areas->InstantiateArea(area);
        areas->GetCommonArea(area)->SetHasDataOrReco(hasData);
    }
};

/// A product class of the model-tab base that lets the engine remove an area while its own part is
/// being destroyed, and notes any call of its override from then on.
class PausingModelTab final : public BusinessLayer::CIsModelTabAllowedDataExchangeModelBase
{
public:
    PausingModelTab(std::shared_ptr<BusinessLayer::ICommonAcquisitionProperties> const& properties,
                    std::shared_ptr<ReferenceHost::CCommonAreas> const& areas, bool closesFirst)
        : CIsModelTabAllowedDataExchangeModelBase(properties, areas), m_areas(areas),
          m_closesFirst(closesFirst)
    {
        Init();
    }
    ~PausingModelTab() override
    {
        if (m_closesFirst)
            GetOwnerGuard().Close();
        m_destroying = true;
        // The engine removes an area on its own thread while this part is half gone.
        ScopedThread engine([this] { m_areas->RemoveArea(A::UpperJaw); });
    }
    static std::atomic<int> s_callsWhileDestroying;

protected:
    Base::Binding::IValueBindingSource<bool> const& GetAreaDataAvailable(EAreaItems area) override
    {
        if (m_destroying)
            ++s_callsWhileDestroying;
        return m_areas->GetCommonArea(area)->GetHasDataOrReco();
    }

private:
    std::shared_ptr<ReferenceHost::CCommonAreas> const m_areas;
    bool const m_closesFirst;
    std::atomic<bool> m_destroying{false};
};
std::atomic<int> PausingModelTab::s_callsWhileDestroying{0};
} // namespace

TEST_F(StormFaults, ModelTabOverrideIsNeverReachedOnceTheProductIsBeingDestroyed)
{
    struct Row
    {
        char const* name;
        bool held;        // shared and handed to HoldDuringBoundCalls, as the configuration does
        bool closesFirst; // the product class closes the guard first in its destructor
    };
    for (Row const row :
         {Row{"held, closing nothing itself", true, false}, Row{"closing first, not held", false, true}})
    {
        Instantiate(A::LowerJaw, true);
        Instantiate(A::UpperJaw, true);
        PausingModelTab::s_callsWhileDestroying = 0;
        if (row.held)
            Base::MakeGuardedShared<PausingModelTab>(properties, areas, false).reset();
        else
            std::make_unique<PausingModelTab>(properties, areas, true).reset();
        EXPECT_EQ(0, PausingModelTab::s_callsWhileDestroying.load()) << row.name;
    }
}

TEST_F(StormFaults, AreaRemovedBetweenTwoLookupsOfOneHandlerThrowsNothingIntoTheHostCall)
{
    // The model connected first to the area set is the one whose second lookup misses the area.
    for (bool const dynamicFirst : {true, false})
    {
        areas = std::make_shared<ReferenceHost::CCommonAreas>();
        auto const vanishing = std::make_shared<Orx2Test::VanishingAreas>(areas);
        // The buccal area holds data: while it counts, both jaws are obligatory and the tab sees data.
        Instantiate(A::BuccalReg, true);
        Base::Binding::TArrayProperty<Level> caseLevels{Levels({})};
        std::shared_ptr<BusinessLayer::CDynamicRequiredAreasBase> dynamic;
        std::shared_ptr<ReferenceHost::CIsModelTabAllowedDataExchangeModel> modelTab;
        auto const makeDynamic = [&]
        {
            dynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(vanishing);
            dynamic->SetRequiredAreasArray(caseLevels);
        };
        auto const makeModelTab = [&] {
            modelTab =
                std::make_shared<ReferenceHost::CIsModelTabAllowedDataExchangeModel>(properties, vanishing);
        };
        if (dynamicFirst)
            makeDynamic(), makeModelTab();
        else
            makeModelTab(), makeDynamic();
        ASSERT_EQ(Print(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg})),
                  Print(dynamic->GetRequiredAreasArray().GetValues()));
        ASSERT_TRUE(modelTab->GetIsDataAvailable().Get());

        // The first handler finds the buccal object, and the lookup of its has-data source right after
        // finds it gone, as if the engine had removed it in between.
        vanishing->VanishAfter(A::BuccalReg, 1);
        EXPECT_NO_THROW(areas->InstantiateArea(A::BiteLower))
            << (dynamicFirst ? "dynamic" : "model tab") << " first";
        EXPECT_EQ(Print(Levels({})), Print(dynamic->GetRequiredAreasArray().GetValues()))
            << "an area gone during the lookup counts as gone";
        EXPECT_FALSE(modelTab->GetIsDataAvailable().Get());
    }
}

TEST_F(StormFaults, ProgressModelReleasedInsideItsOwnNotificationWhileAnotherEngineThreadDeliversToIt)
{
    Orx2Stress::Watchdog const watchdog("progress model released inside its own notification",
                                        std::chrono::seconds(20));
    Instantiate(A::LowerJaw, true);
    Instantiate(A::UpperJaw, true);
    // Connected before the model: tells when the second engine thread is on its way into the model.
    Orx2Test::Gate secondEngineDelivering;
    Base::CScopedEventSignalConnection const probe =
        areas->GetCommonArea(A::UpperJaw)
            ->GetReconstructionProgress()
            .ConnectToValueStream(
                Base::MakeEventSignalHandler<Base::Binding::TValueStreamNotification<float> const&>(
                    [&](auto const&) { secondEngineDelivering.Open(); }));

    auto owner =
        Base::MakeGuardedShared<BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase>(areas);
    std::weak_ptr<BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase> const gui = owner;
    std::unique_ptr<ScopedThread> secondEngine;
    std::atomic<bool> released{false};
    // The GUI holds the model weakly and re-reads it on each change; the owner lets go meanwhile.
    Base::CScopedEventSignalConnection const guiReader =
        owner->GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(
            [&]
            {
                auto const model = gui.lock();
                if (!model || released.exchange(true))
                    return;
                static_cast<void>(model->GetReconstructionProgress().Get());
                secondEngine = std::make_unique<ScopedThread>(
                    [&] { areas->GetCommonArea(A::UpperJaw)->SetReconstructionProgress(0.25f); });
                ASSERT_TRUE(secondEngineDelivering.Wait());
                std::this_thread::sleep_for(std::chrono::milliseconds(20)); // into the model's handler
                owner.reset();
            }));
    areas->GetCommonArea(A::LowerJaw)->SetReconstructionProgress(0.5f);
    secondEngine.reset();
    EXPECT_TRUE(released.load());
    EXPECT_TRUE(gui.expired()) << "the model must be destroyed once the deliveries are over";
}

TEST_F(StormFaults, ReferencesHandedOutStayValidAfterTheHostsAreasAreGone)
{
    struct Row
    {
        char const* name;
        std::function<void(ReferenceHost::CCommonAreas&)> change;
        std::function<bool()> readsChanged; // through the reference taken before the areas went
    };
    auto const buccal =
        std::make_shared<BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase>(areas);
    auto const running =
        std::make_shared<BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel>(areas);
    JbMatrix4Rd shifted = JbMatrix4Rd::Identity();
    shifted(0, 3) = 5.0;
    auto& toUpper = buccal->GetBuccalRegistrationResultToUpper();
    auto& toLower = buccal->GetBuccalRegistrationResultToLower();
    auto& status = buccal->GetBuccalRegistrationStrategyStatus();
    auto& isRunning = running->GetIsRunningExceptReconstructionBindingSource();
    Base::CBuccalRegistrationResult const result(shifted);
    std::vector<Row> const rows = {
        {"buccal result to upper", [&](auto& host) { host.SetBuccalRegistrationResultToUpper(result); },
         [&] { return toUpper.Get() == result; }},
        {"buccal result to lower", [&](auto& host) { host.SetBuccalRegistrationResultToLower(result); },
         [&] { return toLower.Get() == result; }},
        {"strategy status",
         [](auto& host)
         { host.SetBuccalRegistrationStrategyStatus(Base::EBuccalRegistrationStrategyStatus::Succeeded); },
         [&] { return status.GetValue() == Base::EBuccalRegistrationStrategyStatus::Succeeded; }},
        {"is running except reconstruction", [](auto& host) { host.SetIsRunningExceptReconstruction(true); },
         [&] { return isRunning.GetValue(); }},
    };
    for (Row const& row : rows)
        row.change(*areas);
    areas.reset();
    for (Row const& row : rows)
        EXPECT_TRUE(row.readsChanged()) << row.name;
}

TEST_F(StormFaults, AreaRemovedWithDataLeavesWhatAFreshModelPublishes)
{
    Base::Binding::TArrayProperty<Level> caseLevels{Levels({})};
    BusinessLayer::CDynamicRequiredAreasBase dynamic(areas);
    dynamic.SetRequiredAreasArray(caseLevels);
    ReferenceHost::CIsModelTabAllowedDataExchangeModel modelTab(properties, areas);
    Instantiate(A::LowerJaw, false);
    Instantiate(A::PreOpUpper, true);
    areas->RemoveArea(A::PreOpUpper);

    BusinessLayer::CDynamicRequiredAreasBase freshDynamic(areas);
    freshDynamic.SetRequiredAreasArray(caseLevels);
    ReferenceHost::CIsModelTabAllowedDataExchangeModel freshModelTab(properties, areas);
    EXPECT_EQ(Print(freshDynamic.GetRequiredAreasArray().GetValues()),
              Print(dynamic.GetRequiredAreasArray().GetValues()));
    EXPECT_EQ(freshModelTab.GetIsDataAvailable().Get(), modelTab.GetIsDataAvailable().Get());
    EXPECT_EQ(freshModelTab.GetIsModelTabAllowed().Get(), modelTab.GetIsModelTabAllowed().Get());
}

TEST_F(StormFaults, ContributionFlagsChangedLeaveTheReconstructionStateOfAFreshModel)
{
    using State = BusinessLayer::CReconstructionResultDataExchangeModel::EReconstructionState;
    BusinessLayer::CReconstructionResultDataExchangeModel model(properties, areas);
    Instantiate(A::LowerJaw, true);
    Instantiate(A::UpperJaw, true);
    auto const triangulation = std::make_shared<Geometry::CTriangulation const>(3);
    areas->GetCommonArea(A::LowerJaw)
        ->SetReconstructionResult(DataLayer::CReconstructionResult(triangulation));
    areas->GetCommonArea(A::UpperJaw)
        ->SetReconstructionResult(DataLayer::CReconstructionResult(triangulation));
    areas->GetCommonArea(A::UpperJaw)
        ->SetImageProcessingProgress(BusinessLayer::EImageProcessingProgress::eORX_FAIL);
    ASSERT_EQ(State::Failed, model.GetReconstructionState().Get());
    // The failed area leaves the model and comes back.
    areas->GetCommonArea(A::UpperJaw)->SetContributesToModel(false);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
    areas->GetCommonArea(A::UpperJaw)->SetContributesToModel(true);
    BusinessLayer::CReconstructionResultDataExchangeModel const fresh(properties, areas);
    EXPECT_EQ(fresh.GetReconstructionState().Get(), model.GetReconstructionState().Get());
}

TEST_F(StormFaults, ConcurrentCaseCommandExecutionsLeaveTheDefaultAreaOfTheFinalLevels)
{
    auto const selected = ReferenceHost::MakeStandaloneProperty(A::LowerJaw);
    BusinessLayer::CCaseRequiredAreasDataExchangeModelBase model(selected);
    // Defaults PreOpLower and UpperJaw.
    std::vector<Level> const first = Levels({A::LowerJaw, A::PreOpLower});
    std::vector<Level> const second = Levels({A::UpperJaw});
    int const rounds = static_cast<int>(Orx2Stress::Scaled(300, 60));
    for (int round = 0; round < rounds; ++round)
    {
        {
            ScopedThread const one([&] { model.SetRequiredAreasArray(first); });
            ScopedThread const other([&] { model.SetRequiredAreasArray(second); });
        }
        std::vector<Level> const final = model.GetRequiredAreasArray().GetValues();
        EAreaItems const expected = final == first ? A::PreOpLower : A::UpperJaw;
        ASSERT_EQ(expected, model.GetDefaultActiveArea().Get())
            << "round " << round << ", levels " << Print(final);
        ASSERT_EQ(expected, selected->Get()) << "round " << round;
    }
}

TEST_F(StormFaults, ConcurrentLevelAndDataChangesLeaveTheDynamicOutputOfTheFinalSnapshot)
{
    Base::Binding::TArrayProperty<Level> caseLevels{Levels({})};
    BusinessLayer::CDynamicRequiredAreasBase model(areas);
    model.SetRequiredAreasArray(caseLevels);
    std::vector<EAreaItems> const dataAreas = {A::LowerJaw, A::UpperJaw, A::BuccalReg, A::PreOpLower,
                                               A::ScanbodyUpper};
    for (EAreaItems const area : dataAreas)
        Instantiate(area, false);
    unsigned const seed = std::random_device{}();
    int const rounds = static_cast<int>(Orx2Stress::Scaled(200, 40));
    for (int round = 0; round < rounds; ++round)
    {
        {
            ScopedThread const levelsEngine(
                [&, seed, round]
                {
                    std::mt19937 random(seed + static_cast<unsigned>(round));
                    for (int i = 0; i < 20; ++i)
                    {
                        std::vector<Level> levels(Base::kAreaItemCount);
                        for (Level& level : levels)
                            level = static_cast<Level>(random() % 3);
                        caseLevels.Set(levels);
                    }
                });
            ScopedThread const dataEngine(
                [&, seed, round]
                {
                    std::mt19937 random(~seed + static_cast<unsigned>(round));
                    for (int i = 0; i < 20; ++i)
                        areas->GetCommonArea(dataAreas[random() % dataAreas.size()])
                            ->SetHasDataOrReco(random() % 2 == 0);
                });
        }
        BusinessLayer::CDynamicRequiredAreasBase fresh(areas);
        fresh.SetRequiredAreasArray(caseLevels);
        ASSERT_EQ(Print(fresh.GetRequiredAreasArray().GetValues()),
                  Print(model.GetRequiredAreasArray().GetValues()))
            << "case levels " << Print(caseLevels.GetValues()) << ", seed " << seed << ", round " << round;
    }
}
