#pragma once
#include "businesslayer/common/orx2commonexport.h"

namespace BusinessLayer
{
/// The library's version as "major.minor.patch".
ORX2_COMMON_EXPORT char const* GetLibraryVersion() noexcept;
} // namespace BusinessLayer
