#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"

#include "support/propertychangedcounter.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

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

// Each row is sent from an engine thread to a live image that follows the host (counting the GUI's
// notifications), and a live image made while the host reports it starts from it.
TEST_F(LiveImage, FollowsTheLiveViewStatusAndTheHideFlag)
{
    struct SRow
    {
        char const* name;
        std::int32_t status;
        bool hidden;
        Crosshair crosshair;
        int changes;
    };
    // clang-format off
    SRow const rows[] = {
        {"minimum", std::numeric_limits<std::int32_t>::min(), false, Crosshair::None, 0},
        {"-1", -1, false, Crosshair::None, 0},               {"1 starting", 1, false, Crosshair::None, 0},
        {"2 searching", 2, false, Crosshair::Searching, 1},  {"3 position lost", 3, false, Crosshair::Searching, 0},
        {"4 tracking", 4, false, Crosshair::Tracking, 1},    {"5 ready", 5, false, Crosshair::Ready, 1},
        {"6 unknown", 6, false, Crosshair::None, 1},         {"hidden", 6, true, Crosshair::None, 1},
        {"4 while hidden", 4, true, Crosshair::Tracking, 1}, {"7 unknown", 7, true, Crosshair::None, 1},
        {"shown again", 7, false, Crosshair::None, 1},       {"large", 0x40000000, false, Crosshair::None, 0},
        {"0 off", 0, false, Crosshair::None, 0},
    };
    // clang-format on
    CLiveImageViewModelBase following(host, host);
    Orx2Test::PropertyChangedCounter gui(following);
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        Orx2Test::ScopedThread([this, &row] { Send(row.status, row.hidden); }).Join(); // the engine's thread
        EXPECT_EQ(row.crosshair, following.GetCrossHair().Get());
        EXPECT_EQ(!row.hidden, following.GetVisibility().Get());
        EXPECT_EQ(row.changes, gui.Take());
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
