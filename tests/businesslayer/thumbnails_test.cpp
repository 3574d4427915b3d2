// Thumbnails, their bar and the trash: the select command by name, its toggle, and the lookup by
// bitmap id.
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "businesslayer/common/ctrashviewmodelbase.h"
#include "reference_host/cthumbnailsource.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using Thumbnail = BusinessLayer::CThumbnailItemViewModelBase;
using Trash = BusinessLayer::CTrashViewModelBase;

std::shared_ptr<Base::ICommandBase> Find(std::wstring const& name)
{
    return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(name);
}

using Thumbnails = Orx2Test::CommandEnvironment;

TEST_F(Thumbnails, PropertiesKeepTheirContract)
{
    Thumbnail thumbnail(EAreaItems::LowerJaw, L"p");
    using Status = Thumbnail::ECorrelationStatus;
    Orx2Test::PropertyContract<Thumbnail>()
        .Row<bool>("Visibility", &Thumbnail::GetVisibility, &Thumbnail::GetVisibility, false, true)
        .Row<bool>("IsEnabled", &Thumbnail::GetIsEnabled, &Thumbnail::GetIsEnabled, false, true)
        .Row<bool>("IsSelected", &Thumbnail::GetIsSelected, &Thumbnail::GetIsSelected, false, true)
        .Row<bool>("IsReference", &Thumbnail::GetIsReference, &Thumbnail::GetIsReference, false, true)
        .Row<CStringW>("BitmapID", &Thumbnail::GetBitmapID, &Thumbnail::GetBitmapID, L"", L"bmp")
        .Row<int>("Number", &Thumbnail::GetNumber, &Thumbnail::GetNumber, -1, 0)
        .Row<Status>("CorrelationStatus", &Thumbnail::GetCorrelationStatus, &Thumbnail::GetCorrelationStatus,
                     Status::Undefined, Status{0})
        .Check(thumbnail);
    Trash trash;
    Orx2Test::PropertyContract<Trash>()
        .Row<bool>("Visibility", &Trash::GetVisibility, &Trash::GetVisibility, true, false)
        .Row<bool>("IsEnabled", &Trash::GetIsEnabled, &Trash::GetIsEnabled, true, false)
        .Check(trash);
}

TEST_F(Thumbnails, TheSelectCommandIsReachableByNameExactlyWhileItsThumbnailHoldsIt)
{
    struct SRow
    {
        EAreaItems area;
        wchar_t const* suffix;
        wchar_t const* name;
    };
    for (SRow const& row :
         {SRow{EAreaItems::LowerJaw, L"3", L"CThumbnailItemViewModelBase.Select_LowerJaw_3"},
          SRow{EAreaItems::Undefined, L"x", L"CThumbnailItemViewModelBase.Select_Undefined_x"}})
    {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        auto first = std::make_unique<Thumbnail>(row.area, row.suffix);
        auto const second = std::make_unique<Thumbnail>(row.area, row.suffix);
        EXPECT_EQ(row.name, first->GetSelectCommand()->GetName());
        EXPECT_EQ(first->GetSelectCommand(), Find(row.name)) << "the first of a name wins";
        first.reset();
        EXPECT_EQ(nullptr, Find(row.name)) << "the second is not registered after the first died";
    }
    Thumbnail replaced(EAreaItems::UpperJaw, L"1");
    replaced.SetSelectCommand(nullptr);
    EXPECT_EQ(nullptr, Find(L"CThumbnailItemViewModelBase.Select_UpperJaw_1"))
        << "a replaced command expires";
}

TEST_F(Thumbnails, ToggleByNameLocksTheGuiWhileItRunsAndDoesNothingOnceTheThumbnailDied)
{
    auto thumbnail = std::make_unique<Thumbnail>(EAreaItems::BuccalReg, L"7");
    Orx2Test::GuiProbe probe;
    probe.Watch("thumbnail", *thumbnail);
    auto const command =
        std::dynamic_pointer_cast<Base::ICommand<>>(Find(L"CThumbnailItemViewModelBase.Select_BuccalReg_7"));
    ASSERT_NE(nullptr, command);
    command->Execute()->Wait();
    EXPECT_TRUE(thumbnail->GetIsSelected().Get());
    command->Execute()->Wait();
    auto const step = probe.Take();
    EXPECT_FALSE(thumbnail->GetIsSelected().Get());
    EXPECT_EQ(2, step.Changes("thumbnail"));
    EXPECT_EQ((std::vector<unsigned>{1, 0, 1, 0}), step.guiLockCounts);
    thumbnail.reset();
    command->Execute()->Wait(); // the strong pointer outlived its thumbnail: nothing happens
    EXPECT_EQ((std::vector<unsigned>{1, 0}), probe.Take().guiLockCounts);
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
         std::vector<SRow>{
             {"empty bar", [](auto&) {}, L"a", 0},
             {"unknown id", twoEqual, L"c", 0},
             {"two equal ids", twoEqual, L"b", 2},
             {"id changed after insertion", [&](auto& s) { twoEqual(s), s.SetBitmapID(L"a", L"c"); }, L"c",
              1},
             {"old id after the change", [&](auto& s) { twoEqual(s), s.SetBitmapID(L"a", L"c"); }, L"a", 0},
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
