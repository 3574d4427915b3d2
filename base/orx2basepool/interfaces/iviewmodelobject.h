#pragma once
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// Marks an interface as a view model (the GUI binds to it).
class IViewModelObject : public INonCopyable
{
public:
    virtual ~IViewModelObject() = default;
};
} // namespace Base
