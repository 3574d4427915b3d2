// The acquisition screen's side panel, live image, live video and live options over the reference host,
// as the GUI sees them step by step: the engine changes the host's values on its own thread, the GUI
// executes commands by name and through the view models.
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
using BusinessLayer::ELiveViewStatus;
using Crosshair = Base::ILiveImageViewModel::EItemCrosshair;
using Tools = Base::ISidePanelToolItemViewModel::EItemTypeTools;

class AcquisitionScreen : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        host = std::make_shared<ReferenceHost::CAcquisitionProperties>();
        liveImage = std::make_shared<BusinessLayer::CLiveImageViewModelBase>(host, host);
        liveVideo = std::make_shared<ReferenceHost::CLiveVideoViewModel>();

        // The configuring code fills the panels before it publishes them.
        sidePanel = std::make_shared<BusinessLayer::CSidePanelViewModel>();
        sidePanel->GetToolsItems()[0] = std::make_shared<BusinessLayer::CSidePanelItemViewModelTool>(
            L"Trim", Tools::Tool0, true, true, false);
        sidePanel->GetToolsItems()[1] = std::make_shared<BusinessLayer::CSidePanelItemViewModelTool>(
            L"Lock", Tools::Tool1, true, true, false);
        sidePanel->GetToolsVisibility().Set(true);

        liveOptions = std::make_shared<BusinessLayer::CLiveOptionsViewModelBase>();
        auto const option = std::make_shared<BusinessLayer::CLiveOptionsItemViewModelBase>(
            Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions::Option0, true, true, false, L"Brightness");
        option->GetLiveSubOptions()->GetLiveSubOptionsItems()[0] =
            std::make_shared<BusinessLayer::CLiveSubOptionsItemViewModelBase>(
                Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions::SubOption0, true, true, true,
                true);
        liveOptions->GetLiveOptionsItems()[0] = option;
    }

    /// Runs `change` on a thread of its own, as the engine does, and waits for it.
    template <class Change> static void OnEngineThread(Change&& change)
    {
        Orx2Test::ScopedThread(std::forward<Change>(change)).Join();
    }

    std::shared_ptr<ReferenceHost::CAcquisitionProperties> host;
    std::shared_ptr<BusinessLayer::CLiveImageViewModelBase> liveImage;
    std::shared_ptr<ReferenceHost::CLiveVideoViewModel> liveVideo;
    std::shared_ptr<BusinessLayer::CSidePanelViewModel> sidePanel;
    std::shared_ptr<BusinessLayer::CLiveOptionsViewModelBase> liveOptions;
};

TEST_F(AcquisitionScreen, TheLiveImageFollowsTheEngine)
{
    Base::ILiveImageViewModel const& gui = *liveImage;
    Orx2Test::GuiProbe probe;
    probe.Watch("image", gui);
    struct SRow
    {
        std::int32_t status;
        Crosshair crosshair;
        int changes;
    };
    SRow const rows[] = {{0, Crosshair::None, 0},      {2, Crosshair::Searching, 1},
                         {3, Crosshair::Searching, 0}, {4, Crosshair::Tracking, 1},
                         {5, Crosshair::Ready, 1},     {7, Crosshair::None, 1}};
    for (SRow const& row : rows)
    {
        OnEngineThread([&] { host->SetLiveViewStatus(static_cast<ELiveViewStatus>(row.status)); });
        auto const step = probe.Take();
        EXPECT_EQ(row.crosshair, gui.GetCrossHair().Get()) << "status " << row.status;
        EXPECT_EQ(row.changes, step.Changes("image")) << "status " << row.status;
    }
    OnEngineThread([&] { host->SetLiveImageHidden(true); });
    EXPECT_FALSE(gui.GetVisibility().Get());
    EXPECT_EQ(1, probe.Take().Changes("image"));
    OnEngineThread([&] { host->SetLiveImageHidden(true); });
    EXPECT_EQ(0, probe.Take().Changes("image"));
}

TEST_F(AcquisitionScreen, AToolActionByName)
{
    Base::ISidePanelViewModel const& gui = *sidePanel;
    auto const lock = gui.GetToolsItems()[1];
    ASSERT_NE(nullptr, lock);
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
}

TEST_F(AcquisitionScreen, TheRunningAcquisitionIsAnnounced)
{
    Base::ISidePanelViewModel const& gui = *sidePanel;
    std::atomic<int> announced{0};
    Base::CScopedEventSignalConnection const connection(gui.AcquisitionRunningEvent().Connect(
        Base::MakeEventSignalHandler<void>([&announced] { announced.fetch_add(1); })));
    OnEngineThread([this] { sidePanel->AcquisitionRunningEvent().Fire(); });
    EXPECT_EQ(1, announced.load());
}

TEST_F(AcquisitionScreen, APanoramaRecordedThroughTheLiveVideo)
{
    Base::ILiveVideoViewModel const& gui = *liveVideo;
    Orx2Test::GuiProbe probe;
    probe.Watch("video", gui);
    gui.StartRecordPanoramaCommand().Get()->Execute(CStringW(L"upper arch"));
    auto const started = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"CLiveVideoViewModel.StartRecordPanorama"}, started.commands);
    EXPECT_EQ(0, started.Changes("video"));

    gui.StopRecordPanoramaCommand().Get()->Execute();
    auto const stopped = probe.Take();
    EXPECT_EQ(2, stopped.Changes("video")) << "the image, then the done flag";
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
    slider->GetValue().Set(slider->GetValue().Get() + slider->GetStepLarge().Get());
    slider->GetValue().Set(slider->GetValue().Get() + slider->GetStepLarge().Get());
    auto const step = probe.Take();
    EXPECT_EQ(30.0, slider->GetValue().Get());
    EXPECT_EQ(3, step.Changes("slider"));
    EXPECT_EQ(0, step.Changes("subOption"));
}
} // namespace
