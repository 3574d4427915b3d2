#include "businesslayer/common/orx2common.h"

namespace BusinessLayer
{
char const* GetLibraryVersion() noexcept
{
    return "0.1.0";
}
} // namespace BusinessLayer
