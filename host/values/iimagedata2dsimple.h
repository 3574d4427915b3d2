#pragma once
// The two-dimensional image of the host imaging library (a panorama, a snapshot). Passed through by
// pointer, never looked into.
#include "base/orx2basepool/inoncopyable.h"

namespace Base
{
/// A host image, shared as `std::shared_ptr<const IImageData2DSimple>`. This library only stores and
/// hands on the pointer; what an image holds is the host's business (see the reference host's
/// CImageData2DSimple). Implementations are immutable once shared, so a const image may be read from
/// any thread.
class IImageData2DSimple : public INonCopyable
{
public:
    virtual ~IImageData2DSimple() = default;
};
} // namespace Base
