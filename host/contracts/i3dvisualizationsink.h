#pragma once
// Host contract: what the GUI's 3D scene renders into.
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// The renderer's target for the 3D scene, made by the host once its renderer exists. This library only
/// stores it and hands it on (the 3D scene view model, the GUI configuration); it never calls into it.
class I3DVisualizationSink : public INonCopyable
{
public:
    virtual ~I3DVisualizationSink() = default;
};
} // namespace Base
