#include "businesslayer/common/clivevideoviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "support/commandenvironment.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using BusinessLayer::CLiveVideoViewModelBase;

/// A product subclass as the tests need it: the protected writers made public.
class CWritableLiveVideo : public CLiveVideoViewModelBase
{
public:
    using CLiveVideoViewModelBase::AutoStartRecordVideoCommandProperty;
    using CLiveVideoViewModelBase::AutoStartSnapshotCommandProperty;
    using CLiveVideoViewModelBase::AutoStartSnapshotDoneProperty;
    using CLiveVideoViewModelBase::AutoStartVideoDoneProperty;
    using CLiveVideoViewModelBase::AutoStopVideoDoneProperty;
    using CLiveVideoViewModelBase::IsRecordPanoramaVisibleProperty;
    using CLiveVideoViewModelBase::IsSupportedAutoStartStopProperty;
    using CLiveVideoViewModelBase::PanoramaImageProperty;
    using CLiveVideoViewModelBase::PanoramaRecordDoneProperty;
    using CLiveVideoViewModelBase::StartCaptureModeCommandProperty;
    using CLiveVideoViewModelBase::StartIdleModeCommandProperty;
    using CLiveVideoViewModelBase::StartRecordPanoramaCommandProperty;
    using CLiveVideoViewModelBase::StartRecordVideoCommandProperty;
    using CLiveVideoViewModelBase::StopRecordPanoramaCommandProperty;
    using CLiveVideoViewModelBase::StopRecordVideoCommandProperty;
    using CLiveVideoViewModelBase::TakeSnapshotCommandProperty;
};

class CImage final : public Base::IImageData2DSimple
{
};

class LiveVideo : public Orx2Test::CommandEnvironment
{
};

// Rows for a member reached through its const getter and a writer of CWritableLiveVideo.
template <class T, class ConstGetter, class Writer>
void AddRow(Orx2Test::PropertyContract<CWritableLiveVideo>& contract, char const* name,
            ConstGetter constGetter, Writer writer, T other)
{
    contract.Custom<T>(
        name,
        [constGetter](CWritableLiveVideo const& video) -> Base::IProperty<T> const&
        { return (video.*constGetter)(); },
        [writer](CWritableLiveVideo& video) -> Base::IProperty<T>& { return (video.*writer)(); }, T{}, other);
}

TEST_F(LiveVideo, NineteenMembersStartFalseOrEmptyAndKeepTheirContract)
{
    using V = CWritableLiveVideo;
    using B = CLiveVideoViewModelBase;
    auto const command = std::make_shared<Base::TCommand<void>>([] {}, L"test.Command", false);
    auto const textCommand = std::make_shared<Base::TCommand<void, CStringW const&>>(
        [](CStringW const&) {}, L"test.TextCommand", false);
    B::CommandPointer const plain = command;
    B::TextCommandPointer const text = textCommand;
    B::ImagePointer const image = std::make_shared<CImage>();

    Orx2Test::PropertyContract<V> contract;
    contract
        .Custom<bool>(
            "Visibility", [](V const& v) -> auto& { return v.GetVisibility(); },
            [](V & v) -> auto& { return v.GetVisibility(); }, false, true)
        .Custom<bool>(
            "IsEnabled", [](V const& v) -> auto& { return v.GetIsEnabled(); },
            [](V & v) -> auto& { return v.GetIsEnabled(); }, false, true)
        .Custom<bool>(
            "IsSelected", [](V const& v) -> auto& { return v.GetIsSelected(); },
            [](V & v) -> auto& { return v.GetIsSelected(); }, false, true);
    AddRow<bool>(contract, "IsRecordPanoramaVisible", &B::GetIsRecordPanoramaVisible,
                 &V::IsRecordPanoramaVisibleProperty, true);
    AddRow<bool>(contract, "IsSupportedAutoStartStop", &B::GetIsSupportedAutoStartStop,
                 &V::IsSupportedAutoStartStopProperty, true);
    AddRow<B::ImagePointer>(contract, "PanoramaImage", &B::GetPanoramaImage, &V::PanoramaImageProperty,
                            image);
    AddRow<bool>(contract, "PanoramaRecordDone", &B::GetPanoramaRecordDone, &V::PanoramaRecordDoneProperty,
                 true);
    AddRow<bool>(contract, "AutoStartSnapshotDone", &B::GetAutoStartSnapshotDone,
                 &V::AutoStartSnapshotDoneProperty, true);
    AddRow<bool>(contract, "AutoStartVideoDone", &B::GetAutoStartVideoDone, &V::AutoStartVideoDoneProperty,
                 true);
    AddRow<bool>(contract, "AutoStopVideoDone", &B::GetAutoStopVideoDone, &V::AutoStopVideoDoneProperty,
                 true);
    AddRow<B::CommandPointer>(contract, "StartCaptureModeCommand", &B::StartCaptureModeCommand,
                              &V::StartCaptureModeCommandProperty, plain);
    AddRow<B::CommandPointer>(contract, "StartIdleModeCommand", &B::StartIdleModeCommand,
                              &V::StartIdleModeCommandProperty, plain);
    AddRow<B::TextCommandPointer>(contract, "TakeSnapshotCommand", &B::TakeSnapshotCommand,
                                  &V::TakeSnapshotCommandProperty, text);
    AddRow<B::TextCommandPointer>(contract, "AutoStartSnapshotCommand", &B::AutoStartSnapshotCommand,
                                  &V::AutoStartSnapshotCommandProperty, text);
    AddRow<B::TextCommandPointer>(contract, "StartRecordVideoCommand", &B::StartRecordVideoCommand,
                                  &V::StartRecordVideoCommandProperty, text);
    AddRow<B::TextCommandPointer>(contract, "AutoStartRecordVideoCommand", &B::AutoStartRecordVideoCommand,
                                  &V::AutoStartRecordVideoCommandProperty, text);
    AddRow<B::CommandPointer>(contract, "StopRecordVideoCommand", &B::StopRecordVideoCommand,
                              &V::StopRecordVideoCommandProperty, plain);
    AddRow<B::TextCommandPointer>(contract, "StartRecordPanoramaCommand", &B::StartRecordPanoramaCommand,
                                  &V::StartRecordPanoramaCommandProperty, text);
    AddRow<B::CommandPointer>(contract, "StopRecordPanoramaCommand", &B::StopRecordPanoramaCommand,
                              &V::StopRecordPanoramaCommandProperty, plain);
    ASSERT_EQ(19u, contract.Size());

    V video;
    contract.Check(video);
}

TEST_F(LiveVideo, TheBaseHasNoConfigurationToUpdate)
{
    CLiveVideoViewModelBase video;
    Orx2Test::PropertyChangedCounter gui(video);
    static_cast<Base::ILiveVideoViewModel&>(video).UpdateConfigurationParameters();
    EXPECT_EQ(0, gui.Count());
}
} // namespace
