#pragma once
#include "host/values/iimagedata2dsimple.h"

#include <string>

namespace ReferenceHost
{
/// A host image as the reference host makes it: a size and a name, no pixels (nothing in the library
/// looks at pixels). Immutable, so it may be shared and read from any thread.
class CImageData2DSimple final : public Base::IImageData2DSimple
{
public:
    /// An image of `width` by `height` pixels named `name`. Throws std::bad_alloc.
    CImageData2DSimple(unsigned width, unsigned height, std::wstring name);
    ~CImageData2DSimple() override;

    /// The width in pixels.
    unsigned GetWidth() const noexcept { return m_width; }
    /// The height in pixels.
    unsigned GetHeight() const noexcept { return m_height; }
    /// What the image shows, as its maker named it (a panorama's name).
    std::wstring const& GetName() const noexcept { return m_name; }

private:
    unsigned const m_width;
    unsigned const m_height;
    std::wstring const m_name;
};
} // namespace ReferenceHost
