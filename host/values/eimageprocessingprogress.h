#pragma once
#include <cstdint>

namespace BusinessLayer
{
/// The image-processing (reconstruction) state of one scan area. The values continue the host's result
/// codes; only these four are told apart here.
enum class EImageProcessingProgress : std::int32_t
{
    eORX_RUNNING = 47, ///< processing has not finished (the state before any result)
    eORX_OK = 48,      ///< processing finished successfully
    eORX_WARNING = 49, ///< processing finished with a result that needs attention
    eORX_FAIL = 50,    ///< processing failed
};
} // namespace BusinessLayer
