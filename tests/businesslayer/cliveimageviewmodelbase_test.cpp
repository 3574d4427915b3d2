// The live image following the host's live-view status and hide flag.
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"

#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

namespace
{
using BusinessLayer::CLiveImageViewModelBase;
using BusinessLayer::ELiveViewStatus;
using Crosshair = Base::ILiveImageViewModel::EItemCrosshair;

class LiveImage : public ::testing::Test
{
protected:
    void Send(std::int32_t status, bool hidden) const
    {
        host->SetLiveViewStatus(static_cast<ELiveViewStatus>(status));
        host->SetLiveImageHidden(hidden);
    }

    std::shared_ptr<ReferenceHost::CAcquisitionProperties> host =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
};

// Each row is sent from an engine thread to a live image that follows the host, and a live image made
// while the host reports it starts from it. The crosshair of every status the host knows, reported in
// turn: the live-and-tools scenario; one notification per change: the property contract.
TEST_F(LiveImage, FollowsTheLiveViewStatusAndTheHideFlag)
{
    struct SRow
    {
        std::int32_t status;
        bool hidden;
        Crosshair crosshair;
    };
    CLiveImageViewModelBase following(host, host);
    for (SRow const& row : {SRow{std::numeric_limits<std::int32_t>::min(), false, Crosshair::None},
                            SRow{1, false, Crosshair::None}, SRow{3, false, Crosshair::Searching},
                            SRow{4, true, Crosshair::Tracking}, SRow{6, true, Crosshair::None},
                            SRow{5, false, Crosshair::Ready}, SRow{0x40000000, false, Crosshair::None}})
    {
        SCOPED_TRACE(std::to_string(row.status) + (row.hidden ? " hidden" : ""));
        Orx2Test::ScopedThread([this, &row] { Send(row.status, row.hidden); }).Join(); // the engine's thread
        EXPECT_EQ(row.crosshair, following.GetCrossHair().Get());
        EXPECT_EQ(!row.hidden, following.GetVisibility().Get());
        CLiveImageViewModelBase const made(host, host);
        EXPECT_EQ(row.crosshair, made.GetCrossHair().Get()) << "made at this status";
        EXPECT_EQ(!row.hidden, made.GetVisibility().Get()) << "made at this flag";
    }
}

TEST_F(LiveImage, KeepsNoReferenceToTheHostAndOutlivesIt)
{
    Send(5, true);
    std::weak_ptr<ReferenceHost::CAcquisitionProperties> const watched = host;
    CLiveImageViewModelBase image(host, host);
    CLiveImageViewModelBase const withoutHost(nullptr, nullptr); // nothing to follow, nothing to fail
    host.reset();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(Crosshair::Ready, image.GetCrossHair().Get());
    EXPECT_FALSE(image.GetVisibility().Get());
}
} // namespace
