#pragma once
#include "businesslayer/common/orx2commonexport.h"
#include "businesslayer/common/orx2version.h"

namespace BusinessLayer
{
/// The version of the loaded library as "major.minor.patch"; ORX2_COMMON_VERSION is the version of the
/// headers the caller was compiled against.
ORX2_COMMON_EXPORT char const* GetLibraryVersion() noexcept;
} // namespace BusinessLayer
