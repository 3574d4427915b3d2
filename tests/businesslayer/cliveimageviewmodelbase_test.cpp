#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"

#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>

namespace Base
{
inline void PrintTo(ILiveImageViewModel::EItemCrosshair crosshair, std::ostream* os)
{
    *os << "crosshair " << static_cast<int>(crosshair);
}
inline void PrintTo(ELiveImageTransformation transformation, std::ostream* os)
{
    *os << "transformation " << static_cast<int>(transformation);
}
} // namespace Base

namespace
{
using BusinessLayer::CLiveImageViewModelBase;
using BusinessLayer::ELiveViewStatus;
using Crosshair = Base::ILiveImageViewModel::EItemCrosshair;

ELiveViewStatus Status(std::int32_t value)
{
    return static_cast<ELiveViewStatus>(value);
}

class LiveImage : public ::testing::Test
{
protected:
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> host =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
};

TEST_F(LiveImage, PropertiesKeepTheirContract)
{
    CLiveImageViewModelBase image(host, host);
    using Image = CLiveImageViewModelBase;
    Orx2Test::PropertyContract<Image>()
        .Row<Crosshair>("CrossHair", &Image::GetCrossHair, &Image::GetCrossHair, Crosshair::None,
                        Crosshair::Ready)
        .Row<unsigned>("AcquireType", &Image::GetAcquireType, &Image::GetAcquireType, 0u, 3u)
        .Row<unsigned>("TextResource", &Image::GetTextResource, &Image::GetTextResource, 0u, 4711u)
        .Row<bool>("Visibility", &Image::GetVisibility, &Image::GetVisibility, true, false)
        .Row<Base::ELiveImageTransformation>(
            "ImageTransformation", &Image::GetImageTransformation, &Image::GetImageTransformation,
            Base::ELiveImageTransformation::None, Base::ELiveImageTransformation::Rotate180)
        .Check(image);
}

// Each status is sent to a live image that already follows the host, and a new live image made while
// the host reports it starts from it.
TEST_F(LiveImage, CrosshairFollowsTheLiveViewStatus)
{
    struct SRow
    {
        char const* name;
        std::int32_t status;
        Crosshair crosshair;
    };
    SRow const rows[] = {
        {"minimum", std::numeric_limits<std::int32_t>::min(), Crosshair::None},
        {"-1", -1, Crosshair::None},
        {"0 off", 0, Crosshair::None},
        {"1 starting", 1, Crosshair::None},
        {"2 searching", 2, Crosshair::Searching},
        {"3 position lost", 3, Crosshair::Searching},
        {"4 tracking", 4, Crosshair::Tracking},
        {"5 ready", 5, Crosshair::Ready},
        {"6 unknown", 6, Crosshair::None},
        {"7 unknown", 7, Crosshair::None},
        {"large", 0x40000000, Crosshair::None},
        {"4 again after a large one", 4, Crosshair::Tracking},
    };
    CLiveImageViewModelBase following(host, host);
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        host->SetLiveViewStatus(Status(row.status));
        EXPECT_EQ(row.crosshair, following.GetCrossHair().Get()) << "following";
        CLiveImageViewModelBase const made(host, host);
        EXPECT_EQ(row.crosshair, made.GetCrossHair().Get()) << "made at this status";
    }
}

TEST_F(LiveImage, OneNotificationPerRealChange)
{
    CLiveImageViewModelBase image(host, host);
    Orx2Test::PropertyChangedCounter gui(image);
    struct SRow
    {
        char const* name;
        std::int32_t status;
        int changes;
    };
    SRow const rows[] = {{"2", 2, 1},         {"3 draws the same crosshair", 3, 0},
                         {"3 again", 3, 0},   {"4", 4, 1},
                         {"7 after 4", 7, 1}, {"0 draws no crosshair either", 0, 0}};
    for (SRow const& row : rows)
    {
        host->SetLiveViewStatus(Status(row.status));
        EXPECT_EQ(row.changes, gui.Take()) << row.name;
    }
}

TEST_F(LiveImage, TheHostFlagHidesAndShowsAgain)
{
    host->SetLiveViewStatus(ELiveViewStatus::Tracking);
    host->SetLiveImageHidden(true);
    CLiveImageViewModelBase image(host, host);
    EXPECT_FALSE(image.GetVisibility().Get()) << "made while hidden";
    EXPECT_EQ(Crosshair::Tracking, image.GetCrossHair().Get());

    Orx2Test::PropertyChangedCounter gui(image);
    host->SetLiveImageHidden(false);
    EXPECT_TRUE(image.GetVisibility().Get());
    EXPECT_EQ(1, gui.Take());
    host->SetLiveImageHidden(true);
    EXPECT_FALSE(image.GetVisibility().Get());
    EXPECT_EQ(1, gui.Take());
}

TEST_F(LiveImage, KeepsNoReferenceToTheHostAndOutlivesIt)
{
    host->SetLiveViewStatus(ELiveViewStatus::Ready);
    host->SetLiveImageHidden(true);
    std::weak_ptr<ReferenceHost::CAcquisitionProperties> const watched = host;
    CLiveImageViewModelBase image(host, host);
    host.reset();
    EXPECT_TRUE(watched.expired()) << "the live image keeps the host alive";
    EXPECT_EQ(Crosshair::Ready, image.GetCrossHair().Get());
    EXPECT_FALSE(image.GetVisibility().Get());
    image.GetCrossHair().Set(Crosshair::Searching); // still usable
    EXPECT_EQ(Crosshair::Searching, image.GetCrossHair().Get());
}

TEST_F(LiveImage, AnEmptyHostPointerLeavesItsPropertyToTheConfiguringCode)
{
    host->SetLiveViewStatus(ELiveViewStatus::Tracking);
    host->SetLiveImageHidden(true);
    CLiveImageViewModelBase withoutProduct(host, nullptr);
    EXPECT_EQ(Crosshair::None, withoutProduct.GetCrossHair().Get());
    EXPECT_FALSE(withoutProduct.GetVisibility().Get());
    CLiveImageViewModelBase withoutFlags(nullptr, host);
    EXPECT_EQ(Crosshair::Tracking, withoutFlags.GetCrossHair().Get());
    EXPECT_TRUE(withoutFlags.GetVisibility().Get());
    host->SetLiveViewStatus(ELiveViewStatus::Ready);
    host->SetLiveImageHidden(false);
    EXPECT_EQ(Crosshair::None, withoutProduct.GetCrossHair().Get());
    EXPECT_TRUE(withoutProduct.GetVisibility().Get());
    EXPECT_EQ(Crosshair::Ready, withoutFlags.GetCrossHair().Get());
}

// Run under tsan and asan: a handler that ran after its live image was destroyed would touch freed
// properties. Bounded by the number of live images, and the engine thread stops with the test.
TEST_F(LiveImage, DestroyedWhileTheEngineSendsStatuses)
{
    std::atomic<bool> stop{false};
    std::atomic<int> sent{0};
    Orx2Test::ScopedThread engine(
        [&]
        {
            for (std::int32_t i = 0; !stop.load(); ++i)
            {
                host->SetLiveViewStatus(Status(i % 8));
                host->SetLiveImageHidden(i % 3 == 0);
                sent.fetch_add(1);
            }
        });
    for (int round = 0; round < 300; ++round)
    {
        auto image = std::make_unique<CLiveImageViewModelBase>(host, host);
        std::atomic<int> changes{0};
        Base::CScopedEventSignalConnection const gui(image->GetPropertyChangedEventSignal().Connect(
            Base::MakeEventSignalHandler<void>([&changes] { changes.fetch_add(1); })));
        std::this_thread::yield();
        image.reset();
    }
    EXPECT_TRUE(Orx2Test::Eventually([&] { return sent.load() > 0; }));
    stop = true;
    engine.Join();
}
} // namespace
