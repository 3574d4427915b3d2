#pragma once
// Host contract: a parameter set of the acquisition engine's modules, passed through by pointer.
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// The engine's parameters of its processing modules. The host implements it; this library only hands
/// it from a command's action back to the command's caller and never looks inside.
class IModuleParameterSet : public INonCopyable
{
public:
    virtual ~IModuleParameterSet() = default;
};
} // namespace Base
