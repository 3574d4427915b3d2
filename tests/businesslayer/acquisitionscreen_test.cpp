// The side panel, live image, live video and live options over the reference host, as the GUI sees them
// step by step: the engine changes the host's values on its own thread, the GUI executes commands.
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "businesslayer/common/cliveoptionsviewmodelbase.h"
#include "businesslayer/common/csidepanelviewmodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/cimagedata2dsimple.h"
#include "reference_host/clivevideoviewmodel.h"

#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace
{
using namespace BusinessLayer;
using Crosshair = Base::ILiveImageViewModel::EItemCrosshair;
using Tools = Base::ISidePanelToolItemViewModel::EItemTypeTools;

template <class Change> void OnEngineThread(Change&& change)
{
    Orx2Test::ScopedThread(std::forward<Change>(change)).Join();
}

class AcquisitionScreen : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        // The configuring code fills the panels before it publishes them.
        sidePanel->GetToolsItems()[0] =
            std::make_shared<CSidePanelItemViewModelTool>(L"Trim", Tools::Tool0, 1, 1, 0);
        sidePanel->GetToolsItems()[1] =
            std::make_shared<CSidePanelItemViewModelTool>(L"Lock", Tools::Tool1, 1, 1, 0);
        auto const option = std::make_shared<CLiveOptionsItemViewModelBase>(
            Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions::Option0, true, true, false, L"Brightness");
        option->GetLiveSubOptions()->GetLiveSubOptionsItems()[0] =
            std::make_shared<CLiveSubOptionsItemViewModelBase>(
                Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions::SubOption0, true, true, true,
                true);
        liveOptions->GetLiveOptionsItems()[0] = option;
    }

    std::shared_ptr<ReferenceHost::CAcquisitionProperties> host =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
    std::shared_ptr<CLiveImageViewModelBase> liveImage =
        std::make_shared<CLiveImageViewModelBase>(host, host);
    std::shared_ptr<ReferenceHost::CLiveVideoViewModel> liveVideo;
    std::shared_ptr<CSidePanelViewModel> sidePanel = std::make_shared<CSidePanelViewModel>();
    std::shared_ptr<CLiveOptionsViewModelBase> liveOptions = std::make_shared<CLiveOptionsViewModelBase>();
};

TEST_F(AcquisitionScreen, TheLiveImageFollowsTheEngine)
{
    Base::ILiveImageViewModel const& gui = *liveImage;
    Orx2Test::GuiProbe probe;
    probe.Watch("image", gui);
    struct SRow
    {
        std::int32_t status;
        bool hidden;
        Crosshair crosshair;
        int changes;
    };
    SRow const rows[] = {{0, false, Crosshair::None, 0},      {2, false, Crosshair::Searching, 1},
                         {3, false, Crosshair::Searching, 0}, {4, false, Crosshair::Tracking, 1},
                         {5, false, Crosshair::Ready, 1},     {7, false, Crosshair::None, 1},
                         {7, true, Crosshair::None, 1},       {7, true, Crosshair::None, 0}};
    for (SRow const& row : rows)
    {
        OnEngineThread(
            [&]
            {
                host->SetLiveViewStatus(static_cast<ELiveViewStatus>(row.status));
                host->SetLiveImageHidden(row.hidden);
            });
        EXPECT_EQ(row.crosshair, gui.GetCrossHair().Get()) << "status " << row.status;
        EXPECT_EQ(!row.hidden, gui.GetVisibility().Get()) << "status " << row.status;
        EXPECT_EQ(row.changes, probe.Take().Changes("image")) << "status " << row.status;
    }
}

TEST_F(AcquisitionScreen, AToolActionByNameAndTheRunningAcquisition)
{
    Base::ISidePanelViewModel const& gui = *sidePanel;
    auto const lock = gui.GetToolsItems()[1];
    ASSERT_NE(nullptr, lock);
    std::atomic<int> announced{0};
    Base::CScopedEventSignalConnection const connection(gui.AcquisitionRunningEvent().Connect(
        Base::MakeEventSignalHandler<void>([&announced] { announced.fetch_add(1); })));
    Orx2Test::GuiProbe probe;
    probe.Watch("lock", *lock);

    auto const command = std::dynamic_pointer_cast<Base::ICommand<>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
            L"Lock.CToolActionViewModelBase.Command_3"));
    ASSERT_NE(nullptr, command);
    EXPECT_EQ(lock->GetItemTypeToolActions()[3]->GetCommand().Get(), command);
    command->Execute();
    auto const step = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"Lock.CToolActionViewModelBase.Command_3"}, step.commands);
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    ASSERT_EQ(1u, step.log.size());
    EXPECT_EQ(L"ORX2.CToolActionViewModelBase", step.log[0].channel);
    EXPECT_EQ(L"Command  3", step.log[0].text);
    EXPECT_EQ(0, step.Changes("lock"));

    OnEngineThread([this] { sidePanel->AcquisitionRunningEvent().Fire(); });
    EXPECT_EQ(1, announced.load());
}

TEST_F(AcquisitionScreen, APanoramaRecordedThroughTheLiveVideo)
{
    liveVideo =
        std::make_shared<ReferenceHost::CLiveVideoViewModel>(); // its commands need the journal of SetUp
    Base::ILiveVideoViewModel const& gui = *liveVideo;
    Orx2Test::GuiProbe probe;
    probe.Watch("video", gui);
    gui.StartRecordPanoramaCommand().Get()->Execute(CStringW(L"upper arch"));
    auto const started = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"CLiveVideoViewModel.StartRecordPanorama"}, started.commands);
    EXPECT_EQ(0, started.Changes("video"));

    gui.StopRecordPanoramaCommand().Get()->Execute();
    EXPECT_EQ(2, probe.Take().Changes("video")) << "the image, then the done flag";
    EXPECT_TRUE(gui.GetPanoramaRecordDone().Get());
    auto const image =
        std::dynamic_pointer_cast<const ReferenceHost::CImageData2DSimple>(gui.GetPanoramaImage().Get());
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(L"upper arch", image->GetName());
}

TEST_F(AcquisitionScreen, ALiveOptionSlides)
{
    Base::ILiveOptionsViewModel const& gui = *liveOptions;
    auto const subOption = gui.GetLiveOptionsItems()[0]->GetLiveSubOptions()->GetLiveSubOptionsItems()[0];
    ASSERT_NE(nullptr, subOption);
    auto const slider = subOption->GetSlider();
    ASSERT_NE(nullptr, slider);
    Orx2Test::GuiProbe probe;
    probe.Watch("slider", *slider).Watch("subOption", *subOption);
    slider->GetValueMax().Set(100.0);
    for (int i = 0; i < 2; ++i)
        slider->GetValue().Set(slider->GetValue().Get() + slider->GetStepLarge().Get());
    auto const step = probe.Take();
    EXPECT_EQ(30.0, slider->GetValue().Get());
    EXPECT_EQ(3, step.Changes("slider"));
    EXPECT_EQ(0, step.Changes("subOption"));
}
} // namespace
