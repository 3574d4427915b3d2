// Faults seen with an engine, a GUI and a destroying thread working on the models at once, each pinned
// by a small test named after it.
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/careaviewmodelbase.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/cguiconfigurationbase.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/cthumbnailsource.h"

#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tproperty.h"
#include "support/commandenvironment.h"
#include "support/referencehost.h"
#include "support/requiredlevels.h"
#include "support/threadhelpers.h"
#include "support/vanishingareas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace
{
using Base::EAreaItems;
using Level = Orx2Test::RequirementLevel;
using Orx2Test::Levels;
using Orx2Test::ScopedThread;
using A = EAreaItems;

using Orx2Test::Print;

using StormFaults = Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>;

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
    static inline std::atomic<int> s_callsWhileDestroying{0};

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

/// A product class of the dynamic required areas whose constructor is held, after its own vtable is in
/// place, while the engine changes the area set; it notes every call of its override before it is whole.
class HeldDynamic final : public BusinessLayer::CDynamicRequiredAreasBase
{
public:
    HeldDynamic(std::shared_ptr<ReferenceHost::CCommonAreas> const& areas, Orx2Test::Gate& entered,
                Orx2Test::Gate& release)
        : CDynamicRequiredAreasBase(areas, SStartLater{}), m_areas(areas), m_held((entered.Open(), release.Wait()))
    {
        m_whole = true;
        Start();
    }
    std::atomic<int> callsBeforeWhole{0};

protected:
    Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco(EAreaItems area) override
    {
        if (!m_whole)
            ++callsBeforeWhole;
        return m_areas->GetCommonArea(area)->GetHasDataOrReco();
    }

private:
    std::shared_ptr<ReferenceHost::CCommonAreas> const m_areas;
    std::atomic<bool> m_whole{false};
    bool const m_held;
};

/// The progress model of a product whose "considered for reconstruction" test tells when a thread has
/// entered the model's has-data handler (it is asked for every area the handler walks).
class ProbedProgress final : public BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase
{
public:
    ProbedProgress(std::shared_ptr<ReferenceHost::CCommonAreas> const& areas,
                   std::function<void()> onConsidered)
        : CCommonReconstructionProgressDataExchangeModelBase(areas), m_onConsidered(std::move(onConsidered))
    {
    }
    ~ProbedProgress() override { GetOwnerGuard().Close(); }

private:
    bool IsConsideredForReconstruction(EAreaItems) const override
    {
        m_onConsidered();
        return true;
    }
    std::function<void()> const m_onConsidered;
};

/// The host's selected-area property, whose first Set waits, before it stores the value, until the
/// test lets it go on.
class GatedSelection final : public Base::TProperty<EAreaItems>
{
public:
    explicit GatedSelection(Base::CSilentChangeOwner& owner) : TProperty(A::LowerJaw, owner) {}
    void Set(EAreaItems const& value) override
    {
        if (!m_paused.exchange(true))
        {
            reached.Open();
            static_cast<void>(resume.Wait());
        }
        TProperty::Set(value);
    }
    Orx2Test::Gate reached;
    Orx2Test::Gate resume;

private:
    std::atomic<bool> m_paused{false};
};
/// A view model made as a host makes it (std::make_shared, nothing else), noting where it dies.
template <class ViewModel> class NotingDeath final : public ViewModel
{
public:
    using ViewModel::ViewModel;
    ~NotingDeath() override { diedInsideADelivery = Base::CDeliveryScope::IsDelivering(); }
    static inline bool diedInsideADelivery = false;
};

/// A GUI follows `notifier` (the view model or one of its items) and holds `viewModel` only weakly,
/// re-reading it in each PropertyChanged; at the first one the host empties its slot. Then `change`,
/// the engine's, runs: the GUI's lock is the last reference when its handler returns.
template <class ViewModel>
void DropLastReferenceInsideANotification(std::shared_ptr<NotingDeath<ViewModel>> slot,
                                          Base::INotifyPropertyChanged const& notifier,
                                          std::function<void()> const& change)
{
    std::weak_ptr<ViewModel> const gui = slot;
    static_cast<void>(std::as_const(*slot).GetPropertyChangedEventSignal()); // the GUI binds to it
    bool handled = false;
    Base::CScopedEventSignalConnection const reader =
        notifier.GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(
            [&]
            {
                if (auto const viewModel = gui.lock())
                {
                    handled = true;
                    slot.reset();
                }
            }));
    change();
    EXPECT_TRUE(handled);
    EXPECT_TRUE(gui.expired()) << "gone once the engine's change has returned";
    EXPECT_FALSE(NotingDeath<ViewModel>::diedInsideADelivery);
}
} // namespace

TEST_F(StormFaults, ModelTabOverrideIsNeverReachedOnceTheProductIsBeingDestroyed)
{
    // Either shared and handed to HoldDuringBoundCalls, as the configuration does, or closing the guard
    // first in the product class's destructor.
    for (bool const held : {true, false})
    {
        Instantiate(A::LowerJaw, true);
        Instantiate(A::UpperJaw, true);
        PausingModelTab::s_callsWhileDestroying = 0;
        if (held)
            Base::MakeGuardedShared<PausingModelTab>(properties, areas, false).reset();
        else
            std::make_unique<PausingModelTab>(properties, areas, true).reset();
        EXPECT_EQ(0, PausingModelTab::s_callsWhileDestroying.load())
            << (held ? "held, closing nothing itself" : "closing first, not held");
    }
}

TEST_F(StormFaults, DynamicProductIsNeverReachedByTheEngineBeforeItsConstructorEnds)
{
    Instantiate(A::LowerJaw, true);
    Orx2Test::Gate entered;
    Orx2Test::Gate release;
    std::unique_ptr<HeldDynamic> model;
    ScopedThread building([&] { model = std::make_unique<HeldDynamic>(areas, entered, release); });
    ASSERT_TRUE(entered.Wait());
    Instantiate(A::PreOpLower, true); // the engine, while the product's part is being built
    release.Open();
    building.Join();
    EXPECT_EQ(0, model->callsBeforeWhole.load());
    EXPECT_EQ(Levels({A::LowerJaw}), model->GetRequiredAreasArray().GetValues()) << "the host's state at the start";
}

TEST_F(StormFaults, AreaRemovedBetweenTwoLookupsOfOneHandlerThrowsNothingIntoTheHostCall)
{
    // The model connected first to the area set is the one whose second lookup misses the area.
    for (bool const dynamicFirst : {true, false})
    {
        auto const vanishing = std::make_shared<Orx2Test::VanishingAreas>();
        areas = vanishing;
        // The buccal area holds data: while it counts, both jaws are obligatory and the tab sees data.
        Instantiate(A::BuccalReg, true);
        Base::Binding::TArrayProperty<Level> caseLevels{Levels({})};
        using ModelTab = ReferenceHost::CIsModelTabAllowedDataExchangeModel;
        auto modelTab = dynamicFirst ? nullptr : std::make_shared<ModelTab>(properties, vanishing);
        auto const dynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(vanishing);
        dynamic->SetRequiredAreasArray(caseLevels);
        modelTab = modelTab ? modelTab : std::make_shared<ModelTab>(properties, vanishing);
        ASSERT_EQ(Print(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg})),
                  Print(dynamic->GetRequiredAreasArray().GetValues()));
        ASSERT_TRUE(modelTab->GetIsDataAvailable().Get());

        // The first handler finds the buccal object, and the lookup of its has-data source right after
        // finds it gone, as if the engine had removed it in between.
        vanishing->VanishAfter(A::BuccalReg, 1);
        EXPECT_NO_THROW(areas->InstantiateArea(A::BiteLower))
            << (dynamicFirst ? "dynamic" : "model tab") << " first";
        // Skipped like an area that is not instantiated: it keeps what the models had of it.
        EXPECT_EQ(Print(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg})),
                  Print(dynamic->GetRequiredAreasArray().GetValues()));
        EXPECT_TRUE(modelTab->GetIsDataAvailable().Get());
    }
}

TEST_F(StormFaults, ProgressModelReleasedInsideItsOwnNotificationWhileAnotherEngineThreadDeliversToIt)
{
    Orx2Test::Watchdog const watchdog("progress model released inside its own notification", std::chrono::seconds(20));
    Instantiate(A::LowerJaw, true);
    Instantiate(A::UpperJaw, true);
    Instantiate(A::BuccalReg, true); // holds data throughout: every walk asks about it
    std::thread::id const firstEngine = std::this_thread::get_id();
    Orx2Test::Gate secondEngineInside;
    auto owner = Base::MakeGuardedShared<ProbedProgress>(areas,
                                                         [&]
                                                         {
                                                             if (std::this_thread::get_id() != firstEngine)
                                                                 secondEngineInside.Open();
                                                         });
    std::weak_ptr<ProbedProgress> const gui = owner;
    std::unique_ptr<ScopedThread> secondEngine;
    std::atomic<bool> released{false};
    // The GUI holds the model weakly and re-reads it on each change; the owner lets go meanwhile. The
    // first engine is inside the count's notification (its reader lock held) when the last reference
    // goes, and the second engine is inside the model's has-data handler, on its way to setting the
    // count: a destruction right there would wait for the second engine, which waits for that lock.
    Base::CScopedEventSignalConnection const guiReader =
        owner->GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(
            [&]
            {
                auto const model = gui.lock();
                if (!model || released.exchange(true))
                    return;
                static_cast<void>(model->GetReconstructionAreaCount().Get());
                secondEngine = std::make_unique<ScopedThread>(
                    [&] { areas->GetCommonArea(A::UpperJaw)->SetHasDataOrReco(false); });
                ASSERT_TRUE(secondEngineInside.Wait());
                owner.reset();
            }));
    areas->GetCommonArea(A::LowerJaw)->SetHasDataOrReco(false);
    secondEngine.reset();
    EXPECT_TRUE(released.load());
    EXPECT_TRUE(gui.expired()) << "the model must be destroyed once the deliveries are over";
}

TEST_F(StormFaults, GettersCalledInsideADeliveryNeverDestroyTheHostsAreasThere)
{
    using Buccal = BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase;
    using Running = BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel;
    std::pair<char const*, std::function<void(Buccal&, Running&)>> const rows[] = {
        {"buccal result to upper", [](Buccal& m, Running&) { m.GetBuccalRegistrationResultToUpper().Get(); }},
        {"buccal result to lower", [](Buccal& m, Running&) { m.GetBuccalRegistrationResultToLower().Get(); }},
        {"strategy status", [](Buccal& m, Running&) { m.GetBuccalRegistrationStrategyStatus().GetValue(); }},
        {"is running except reconstruction",
         [](Buccal&, Running& m) { m.GetIsRunningExceptReconstructionBindingSource().GetValue(); }},
    };
    for (auto const& row : rows)
    {
        char const* const name = row.first;
        auto host = std::make_shared<Orx2Test::VanishingAreas>();
        std::weak_ptr<Orx2Test::VanishingAreas> const alive = host;
        Buccal buccal(host);
        Running running(host);
        // The host lets its areas go while the getter runs: the getter's own hold is then the last one.
        host->OnReferenceHandedOut([&host] { host.reset(); });
        Base::CSilentChangeOwner changeOwner;
        Base::TProperty<int> trigger(0, changeOwner);
        bool aliveAfterTheRead = false;
        // A GUI reads the model inside a notification.
        Base::CScopedEventSignalConnection const gui =
            trigger.ConnectToValueChanged(Base::MakeEventSignalHandler<int const&>(
                [&](int const&)
                {
                    row.second(buccal, running);
                    aliveAfterTheRead = !alive.expired();
                }));
        trigger.Set(1);
        EXPECT_TRUE(aliveAfterTheRead) << name << ": the getter's hold went inside the delivery";
        EXPECT_TRUE(alive.expired()) << name << ": released once the delivery is over";
    }
}

TEST_F(StormFaults, AnAreaNoLongerInstantiatedKeepsWhatTheModelsHadOfIt)
{
    ReferenceHost::CIsModelTabAllowedDataExchangeModel modelTab(properties, areas);
    BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase progress(areas);
    Instantiate(A::LowerJaw, false);
    Instantiate(A::PreOpUpper, true);
    areas->RemoveArea(A::PreOpUpper);
    areas->GetCommonArea(A::LowerJaw)->SetContributesToModel(true); // the tab evaluates again
    EXPECT_TRUE(modelTab.GetIsDataAvailable().Get()) << "model tab: the removed area's data count";
    areas->GetCommonArea(A::LowerJaw)->SetHasDataOrReco(true); // the progress model walks the areas
    EXPECT_TRUE(progress.GetReconstructionArea(A::PreOpUpper)) << "progress: it stays a reconstruction area";
}

TEST_F(StormFaults, TheSelectedAreaIsNeverLeftAtTheDefaultOfAnEarlierExecution)
{
    Base::CSilentChangeOwner changeOwner;
    auto const selection = std::make_shared<GatedSelection>(changeOwner);
    BusinessLayer::CCaseRequiredAreasDataExchangeModelBase model(selection);
    // The first execution has derived its default (PreOpLower) and is about to write it into the
    // selection when the second one runs from start to end (default UpperJaw).
    ScopedThread first([&] { model.SetRequiredAreasArray(Levels({A::LowerJaw, A::PreOpLower})); });
    ASSERT_TRUE(selection->reached.Wait());
    model.SetRequiredAreasArray(Levels({A::UpperJaw}));
    selection->resume.Open();
    first.Join();
    EXPECT_EQ(A::UpperJaw, model.GetDefaultActiveArea().Get());
    EXPECT_EQ(model.GetDefaultActiveArea().Get(), selection->Get());
}

TEST_F(StormFaults, LiveImageDroppedByAWeakGuiInsideItsCrosshairNotificationDiesAfterTheDelivery)
{
    auto image = std::make_shared<NotingDeath<BusinessLayer::CLiveImageViewModelBase>>(properties, properties);
    auto const& notifier = *image;
    DropLastReferenceInsideANotification(std::move(image), notifier,
                                         [&] { properties->SetLiveViewStatus(BusinessLayer::ELiveViewStatus(5)); });
}

TEST_F(StormFaults, AreaPanelDroppedByAWeakGuiInsideATileNotificationDiesAfterTheDelivery)
{
    Base::Binding::TArrayProperty<Level> required{Levels({})};
    auto panel = std::make_shared<NotingDeath<BusinessLayer::CAreaViewModelBase>>();
    panel->SetRequiredAreasArray(required);
    auto const& tile = *panel->GetAreaItemViewModels()[0];
    DropLastReferenceInsideANotification(std::move(panel), tile, [&] { required.Set(Levels({A::LowerJaw})); });
}

// The GUI reads the panel from its slot and mirrors a tile's thumbnail bar, re-reading the panel on each
// change of the bar; the host empties the slot and drops the panel meanwhile. Nothing of the panel is
// delivering but the bar, which the panel owns through its tile.
TEST_F(StormFaults, AreaPanelReadFromItsSlotAndDroppedInsideItsBarsDeliveryDiesAfterIt)
{
    Orx2Test::Watchdog const watchdog("area panel dropped inside its bar's delivery", std::chrono::seconds(20));
    using Panel = NotingDeath<BusinessLayer::CAreaViewModelBase>;
    BusinessLayer::CGuiConfigurationBase configuration;
    ReferenceHost::CThumbnailSource thumbnails(A::LowerJaw);
    auto host = std::make_shared<Panel>();
    auto* const bar = host->GetAreaItemViewModels()[0]->GetThumbnailBarConfiguartion().get();
    thumbnails.Fill(*bar);
    configuration.GetAreaConfiguration().Set(host);
    std::weak_ptr<Base::IAreaViewModel> const gui = configuration.GetAreaConfiguration().Get();
    bool armed = false;
    auto const mirror = Base::Binding::MakeArrayChangeObserver(
        std::as_const(*bar).GetThumbnailsArrayBindingSource(),
        [&](auto const&)
        {
            if (auto const panel = gui.lock(); panel && armed)
            {
                configuration.GetAreaConfiguration().Set(nullptr);
                host.reset();
            }
        });
    armed = true;
    thumbnails.Add(L"1", 1, CStringW(L"LowerJaw-1"));
    EXPECT_TRUE(gui.expired());
    EXPECT_FALSE(Panel::diedInsideADelivery);
}
