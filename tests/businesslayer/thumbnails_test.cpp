// Thumbnails, their bar and the trash: the select command by name, its toggle, and the lookup by
// bitmap id.
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "reference_host/cthumbnailsource.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/propertychangedcounter.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using Thumbnail = BusinessLayer::CThumbnailItemViewModelBase;

using Thumbnails = Orx2Test::CommandEnvironment;

// That the command toggles is the area-panel scenario's, that it locks the GUI while it runs and that its
// name expires with its thumbnail the simulator's; one notification per toggle, the toggle race's below.
TEST_F(Thumbnails, TheSelectCommandByNameReachesItsThumbnailOnlyWhileItLives)
{
    auto thumbnail = std::make_unique<Thumbnail>(EAreaItems::LowerJaw, L"3");
    auto const command = Find<Base::ICommand<>>(L"CThumbnailItemViewModelBase.Select_LowerJaw_3");
    ASSERT_EQ(thumbnail->GetSelectCommand(), command);
    Orx2Test::GuiProbe probe;
    thumbnail.reset();
    command->Execute()->Wait(); // the registry's pointer outlived its thumbnail: nothing happens
    EXPECT_EQ((std::vector<unsigned>{1, 0}), probe.Take().guiLockCounts);
    Thumbnail replaced(EAreaItems::UpperJaw, L"1");
    replaced.SetSelectCommand(nullptr);
    EXPECT_EQ(nullptr, Find(L"CThumbnailItemViewModelBase.Select_UpperJaw_1"))
        << "a replaced command expires";
}

TEST_F(Thumbnails, TogglesOnManyThreadsAreNeverLost)
{
    Thumbnail thumbnail(EAreaItems::LowerJaw, L"t");
    Orx2Test::PropertyChangedCounter changes(thumbnail);
    {
        std::vector<Orx2Test::ScopedThread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back(
                [&thumbnail]
                {
                    for (int i = 0; i < 251; ++i) // odd per thread, even in all
                        thumbnail.GetSelectCommand()->Execute();
                });
    }
    EXPECT_FALSE(thumbnail.GetIsSelected().Get());
    EXPECT_EQ(4 * 251, changes.Take());
}

TEST_F(Thumbnails, TheBarFindsTheFirstThumbnailOfABitmapId)
{
    ReferenceHost::CThumbnailSource source(EAreaItems::LowerJaw);
    BusinessLayer::CThumbnailBarViewModelBase bar;
    source.Fill(bar);
    auto const found = [&bar](wchar_t const* bitmapId) // the Number of the thumbnail found, 0 for none
    {
        JyUniqueIdT<CStringW> const id(bitmapId);
        auto const thumbnail = bar.GetThumbnail(id);
        EXPECT_EQ(thumbnail,
                  static_cast<BusinessLayer::CThumbnailBarViewModelBase const&>(bar).GetThumbnail(id));
        return thumbnail ? thumbnail->GetNumber().Get() : 0;
    };
    EXPECT_EQ(0, found(L"a")) << "an empty bar";
    source.Add(L"1", 1, L"a"), source.Add(L"2", 2, L"b"), source.Add(L"3", 3, L"b");
    EXPECT_EQ(0, found(L"c")) << "an unknown id";
    EXPECT_EQ(2, found(L"b")) << "two equal ids";
    source.SetBitmapID(L"a", L"c");
    EXPECT_EQ(1, found(L"c")) << "an id changed after insertion";
    source.Remove(L"b");
    EXPECT_EQ(3, found(L"b")) << "the first removed";
    auto const added = source.Add(L"4", 4, L"d");
    EXPECT_EQ(added, bar.GetThumbnail(JyUniqueIdT<CStringW>(L"d"))) << "Add hands back what it added";
}

TEST_F(Thumbnails, LookupIsUndisturbedByAnotherThreadEditingTheArray)
{
    Base::Binding::TArrayProperty<std::shared_ptr<Base::IThumbnailItemViewModel>> thumbnails;
    BusinessLayer::CThumbnailBarViewModelBase bar;
    bar.GetThumbnailsArrayBindingSource().Bind(thumbnails);
    auto const kept = std::make_shared<Thumbnail>(EAreaItems::LowerJaw, L"k");
    auto const other = std::make_shared<Thumbnail>(EAreaItems::LowerJaw, L"o");
    kept->GetBitmapID().Set(L"kept");
    thumbnails.Add(kept);
    std::atomic<bool> stop{false};
    Orx2Test::ScopedThread editor(
        [&]
        {
            // Moves the kept thumbnail between positions 0 and 1, under a walk by index it would slip by.
            for (int i = 0; i < 1000000 && !stop.load(); ++i)
                i % 2 == 0 ? thumbnails.Insert(0, other) : thumbnails.RemoveAt(0);
        });
    int lost = 0;
    for (int i = 0; i < 2000; ++i)
        lost += bar.GetThumbnail(JyUniqueIdT<CStringW>(L"kept")) == kept ? 0 : 1;
    stop = true;
    EXPECT_EQ(0, lost);
}
} // namespace
