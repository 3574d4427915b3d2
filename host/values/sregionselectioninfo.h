#pragma once
// A region selection the GUI's 3D scene reports.
#include "base/orx2basepool/eareaitems.h"

namespace Base
{
/// One region selection in the 3D scene: the scan area the region lies on (Undefined when it lies on
/// none) and whether the region was selected (true) or released again (false). The GUI's renderer
/// fills it; this library carries it from the scene view model to whoever listens. A plain value: copy
/// freely; not thread-safe by itself.
struct SRegionSelectionInfo
{
    EAreaItems area = EAreaItems::Undefined; ///< The area of the region, or Undefined.
    bool selected = false; ///< Whether it was selected (true) or released.

    /// Equal when every field is equal.
    friend bool operator==(SRegionSelectionInfo const& a, SRegionSelectionInfo const& b) noexcept
    {
        return a.area == b.area && a.selected == b.selected;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(SRegionSelectionInfo const& a, SRegionSelectionInfo const& b) noexcept
    {
        return !(a == b);
    }
};
} // namespace Base
