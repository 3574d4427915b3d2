#pragma once
// Host contract: a surfel collection of the acquisition engine, passed through by pointer.
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// A collection of surface elements (surfels) as the engine keeps them. The host implements it; this
/// library only passes it from a command's caller to the command's action and never looks inside.
class ISurfelCollection : public INonCopyable
{
public:
    virtual ~ISurfelCollection() = default;
};
} // namespace Base
