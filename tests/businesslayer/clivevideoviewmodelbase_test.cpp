#include "businesslayer/common/clivevideoviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "reference_host/cimagedata2dsimple.h"
#include "support/commandenvironment.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
/// A product subclass as a test sees it: one contract row per member, written through the protected
/// accessors where the public getter is const only.
class CLiveVideo final : public BusinessLayer::CLiveVideoViewModelBase
{
public:
    static Orx2Test::PropertyContract<CLiveVideo> Contract(CommandPointer command, TextCommandPointer text,
                                                           ImagePointer image)
    {
        Orx2Test::PropertyContract<CLiveVideo> rows;
        // clang-format off
#define ROW(T, getter, writer, other)                                                                          \
    rows.Custom<T>(#getter, [](CLiveVideo const& v) -> auto& { return v.getter(); },                          \
                   [](CLiveVideo& v) -> auto& { return v.writer(); }, T{}, other)
        ROW(bool, GetVisibility, GetVisibility, true);
        ROW(bool, GetIsEnabled, GetIsEnabled, true);
        ROW(bool, GetIsSelected, GetIsSelected, true);
        ROW(bool, GetIsRecordPanoramaVisible, IsRecordPanoramaVisibleProperty, true);
        ROW(bool, GetIsSupportedAutoStartStop, IsSupportedAutoStartStopProperty, true);
        ROW(ImagePointer, GetPanoramaImage, PanoramaImageProperty, image);
        ROW(bool, GetPanoramaRecordDone, PanoramaRecordDoneProperty, true);
        ROW(bool, GetAutoStartSnapshotDone, AutoStartSnapshotDoneProperty, true);
        ROW(bool, GetAutoStartVideoDone, AutoStartVideoDoneProperty, true);
        ROW(bool, GetAutoStopVideoDone, AutoStopVideoDoneProperty, true);
        ROW(CommandPointer, StartCaptureModeCommand, StartCaptureModeCommandProperty, command);
        ROW(CommandPointer, StartIdleModeCommand, StartIdleModeCommandProperty, command);
        ROW(TextCommandPointer, TakeSnapshotCommand, TakeSnapshotCommandProperty, text);
        ROW(TextCommandPointer, AutoStartSnapshotCommand, AutoStartSnapshotCommandProperty, text);
        ROW(TextCommandPointer, StartRecordVideoCommand, StartRecordVideoCommandProperty, text);
        ROW(TextCommandPointer, AutoStartRecordVideoCommand, AutoStartRecordVideoCommandProperty, text);
        ROW(CommandPointer, StopRecordVideoCommand, StopRecordVideoCommandProperty, command);
        ROW(TextCommandPointer, StartRecordPanoramaCommand, StartRecordPanoramaCommandProperty, text);
        ROW(CommandPointer, StopRecordPanoramaCommand, StopRecordPanoramaCommandProperty, command);
#undef ROW
        // clang-format on
        return rows;
    }
};

class LiveVideo : public Orx2Test::CommandEnvironment
{
};

TEST_F(LiveVideo, NineteenMembersStartFalseOrEmptyAndKeepTheirContract)
{
    auto const contract =
        CLiveVideo::Contract(std::make_shared<Base::TCommand<void>>([] {}, L"test.Command", false),
                             std::make_shared<Base::TCommand<void, CStringW const&>>(
                                 [](CStringW const&) {}, L"test.TextCommand", false),
                             std::make_shared<ReferenceHost::CImageData2DSimple>(1, 1, L"image"));
    ASSERT_EQ(19u, contract.Size());
    CLiveVideo video;
    contract.Check(video);
}
} // namespace
