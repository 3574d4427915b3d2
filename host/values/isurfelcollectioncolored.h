#pragma once
// The coloured point cloud of the acquisition engine. Passed through by pointer, never looked into.
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// A collection of coloured surface elements (surfels) of one area or of all areas. The host implements
/// it; this library only hands it from the host to the GUI.
class ISurfelCollectionColored : public INonCopyable
{
public:
    virtual ~ISurfelCollectionColored() = default;
};
} // namespace Base
