// Thumbnails, their bar and the trash: the select command by name, its toggle, and the lookup by
// bitmap id.
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "reference_host/cthumbnailsource.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "host/acquisitionbase/ccommandregistry.h"
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

TEST_F(Thumbnails, SelectByNameExactlyWhileTheThumbnailHoldsItsCommand)
{
    std::wstring const name = L"CThumbnailItemViewModelBase.Select_LowerJaw_3";
    EXPECT_EQ(L"CThumbnailItemViewModelBase.Select_Undefined_x",
              Thumbnail(EAreaItems::Undefined, L"x").GetSelectCommand()->GetName());
    auto first = std::make_unique<Thumbnail>(EAreaItems::LowerJaw, L"3");
    auto const second = std::make_unique<Thumbnail>(EAreaItems::LowerJaw, L"3");
    Orx2Test::GuiProbe probe;
    auto command = Find<Base::ICommand<>>(name);
    ASSERT_EQ(first->GetSelectCommand(), command) << "the first of a name wins";
    // That it toggles is the area-panel scenario's; one notification per toggle, the toggle race's below.
    command->Execute()->Wait();
    command->Execute()->Wait();
    EXPECT_EQ((std::vector<unsigned>{1, 0, 1, 0}), probe.Take().guiLockCounts);
    first.reset();
    command->Execute()->Wait(); // the registry's pointer outlived its thumbnail: nothing happens
    EXPECT_EQ((std::vector<unsigned>{1, 0}), probe.Take().guiLockCounts);
    command.reset();
    EXPECT_EQ(nullptr, Find(name)) << "the second of the name is not reachable";
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
    using Prepare = std::function<void(ReferenceHost::CThumbnailSource&)>;
    struct SRow
    {
        char const* name;
        Prepare prepare;
        wchar_t const* id;
        int expected; // Number of the thumbnail found, 0 for none
    };
    Prepare const twoEqual = [](auto& s)
    { s.Add(L"1", 1, L"a"), s.Add(L"2", 2, L"b"), s.Add(L"3", 3, L"b"); };
    for (SRow const& row :
         std::vector<SRow>{{"empty bar", [](auto&) {}, L"a", 0},
                           {"unknown id", twoEqual, L"c", 0},
                           {"two equal ids", twoEqual, L"b", 2},
                           {"id changed after insertion",
                            [&](auto& s) { twoEqual(s), s.SetBitmapID(L"a", L"c"); }, L"c", 1},
                           {"first removed", [&](auto& s) { twoEqual(s), s.Remove(L"b"); }, L"b", 3}})
    {
        SCOPED_TRACE(row.name);
        ReferenceHost::CThumbnailSource source(EAreaItems::LowerJaw);
        BusinessLayer::CThumbnailBarViewModelBase bar;
        source.Fill(bar);
        row.prepare(source);
        JyUniqueIdT<CStringW> const id(row.id);
        auto const found = bar.GetThumbnail(id);
        EXPECT_EQ(row.expected, found ? found->GetNumber().Get() : 0);
        EXPECT_EQ(found, static_cast<BusinessLayer::CThumbnailBarViewModelBase const&>(bar).GetThumbnail(id));
        auto const added = source.Add(L"4", 4, L"d");
        EXPECT_EQ(added, bar.GetThumbnail(JyUniqueIdT<CStringW>(L"d"))) << "Add hands back what it added";
    }
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
