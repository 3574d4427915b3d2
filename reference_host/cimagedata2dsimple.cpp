#include "reference_host/cimagedata2dsimple.h"

#include <utility>

namespace ReferenceHost
{
CImageData2DSimple::CImageData2DSimple(unsigned width, unsigned height, std::wstring name)
    : m_width(width), m_height(height), m_name(std::move(name))
{
}

CImageData2DSimple::~CImageData2DSimple() = default;
} // namespace ReferenceHost
