#include "businesslayer/common/clivevideoviewmodelbase.h"

#include "support/commandenvironment.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

namespace
{
/// A product subclass as a test sees it. The commands, done flags and panorama are driven through the
/// reference host's live video; these are the flags only a product writes.
class CLiveVideo final : public BusinessLayer::CLiveVideoViewModelBase
{
public:
    static Orx2Test::PropertyContract<CLiveVideo> Contract()
    {
        Orx2Test::PropertyContract<CLiveVideo> rows;
        // clang-format off
#define ROW(getter, writer)                                                                                    \
    rows.Custom<bool>(#getter, [](CLiveVideo const& v) -> auto& { return v.getter(); },                       \
                      [](CLiveVideo& v) -> auto& { return v.writer(); }, false, true)
        ROW(GetVisibility, GetVisibility);
        ROW(GetIsEnabled, GetIsEnabled);
        ROW(GetIsSelected, GetIsSelected);
        ROW(GetIsRecordPanoramaVisible, IsRecordPanoramaVisibleProperty);
        ROW(GetIsSupportedAutoStartStop, IsSupportedAutoStartStopProperty);
#undef ROW
        // clang-format on
        return rows;
    }
};

class LiveVideo : public Orx2Test::CommandEnvironment
{
};

TEST_F(LiveVideo, TheProductsFlagsStartFalseAndKeepTheirContract)
{
    CLiveVideo video;
    CLiveVideo::Contract().Check(video);
}
} // namespace
