#pragma once
#include "base/orx2basepool/interfaces/eliveimagetransformation.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>

namespace Base
{
/// The overlay of the camera's live image: which crosshair to draw, which text to show, the acquisition
/// type, the image transformation and whether the live image is shown at all. Every property may be
/// read from any thread and lives as long as the view model.
class ILiveImageViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The crosshair the GUI draws over the live image. 2 and 3 are not produced by the library's live
    /// image; a product may set them.
    enum class EItemCrosshair : std::int32_t
    {
        None = 0,      // nothing to aim at (live view off or starting, or an unknown status)
        Ready = 1,     // positioned, ready to acquire
        Tracking = 4,  // the camera is being tracked
        Searching = 5, // searching the position, or it was lost
    };

    ~ILiveImageViewModel() override = default;

    /// The acquisition type, a number the configuring code gives.
    virtual IProperty<unsigned int> const& GetAcquireType() const = 0;
    /// The property the GUI binds as `CrossHair`.
    virtual IProperty<EItemCrosshair> const& GetCrossHair() const = 0;
    /// Identifier of the text resource to show over the image (0: none).
    virtual IProperty<unsigned int> const& GetTextResource() const = 0;
    /// Whether the live image is shown.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `ImageTransformation`.
    virtual IProperty<ELiveImageTransformation> const& GetImageTransformation() const = 0;
};

/// What the GUI binds of `ILiveImageViewModel`, by name (see TDescription).
template <> struct TDescription<ILiveImageViewModel> : Describe::TMembersOf<ILiveImageViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<unsigned int>("AcquireType", &I::GetAcquireType),
            Property<I::EItemCrosshair>("CrossHair", &I::GetCrossHair),
            Property<unsigned int>("TextResource", &I::GetTextResource),
            Property<bool>("Visibility", &I::GetVisibility),
            Property<ELiveImageTransformation>("ImageTransformation", &I::GetImageTransformation));
        // clang-format on
    }
};
} // namespace Base
