#pragma once
#include <cstdint>

namespace Base
{
/// How the GUI turns the camera's live picture before it draws it. Set by the configuring code (the
/// camera's mounting decides it); the host may use values beyond these.
enum class ELiveImageTransformation : std::int32_t
{
    None = 0,
    MirrorHorizontal = 1,
    MirrorVertical = 2,
    Rotate180 = 3,
};
} // namespace Base
