#include "businesslayer/common/orx2common.h"

namespace BusinessLayer
{
char const* GetLibraryVersion() noexcept
{
    return ORX2_COMMON_VERSION;
}
} // namespace BusinessLayer
