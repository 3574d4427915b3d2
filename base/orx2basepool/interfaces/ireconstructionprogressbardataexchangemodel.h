#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/eimageprocessingprogress.h"
#include "host/values/jybitmap.h"

#include <memory>

namespace Base
{
/// What the reconstruction progress bar shows: the overall progress in percent over the areas that hold
/// data, the latest image-processing state, which areas take part in the reconstruction, a fixed layout
/// of the areas into groups, and one bitmap per area.
class IReconstructionProgressBarDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IReconstructionProgressBarDataExchangeModel() override = default;

    /// The last reconstruction progress (0 to 1) reported by `area`; 0 for areas outside 0 to 13.
    virtual float GetReconstructionProgress(EAreaItems area) const = 0;
    /// The overall progress in percent. Lives as long as the model.
    virtual IProperty<float> const& GetReconstructionProgress() const = 0;
    /// The image-processing state that changed last, of whichever area. Lives as long as the model.
    virtual IProperty<BusinessLayer::EImageProcessingProgress> const&
    GetReconstructionProgressState() const = 0;
    /// True when `area` holds data and takes part in the reconstruction; false outside 0 to 13.
    virtual bool GetReconstructionArea(EAreaItems area) const = 0;
    /// The display group of `area` (0 lower side, 1 upper side, 2 buccal registration), -1 for none.
    virtual int GetGroupOfElement(EAreaItems area) const = 0;
    /// The position of `area` inside its display group, -1 for none.
    virtual int GetElementPositionInGroup(EAreaItems area) const = 0;
    /// The bitmap stored for `area`; empty when none or outside 0 to 13.
    virtual std::shared_ptr<JyBitmap> GetReconstructionBitmap(EAreaItems area) const = 0;
    /// Stores the bitmap of `area`; does nothing outside 0 to 13.
    virtual void SetReconstructionBitmap(EAreaItems area, std::shared_ptr<JyBitmap> bitmap) = 0;

private:
    /// Whether `area` may take part in the reconstruction at all; a product class can narrow it.
    virtual bool IsConsideredForReconstruction(EAreaItems area) const = 0;
};

/// What the GUI binds of `IReconstructionProgressBarDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IReconstructionProgressBarDataExchangeModel>
    : Describe::TMembersOf<IReconstructionProgressBarDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            AreaValue<float>("AreaReconstructionProgress", &I::GetReconstructionProgress),
            Property<float>("ReconstructionProgress", &I::GetReconstructionProgress),
            Property<BusinessLayer::EImageProcessingProgress>(
                "ReconstructionProgressState", &I::GetReconstructionProgressState),
            AreaValue<bool>("ReconstructionArea", &I::GetReconstructionArea),
            AreaValue<int>("GroupOfElement", &I::GetGroupOfElement),
            AreaValue<int>("ElementPositionInGroup", &I::GetElementPositionInGroup),
            AreaValue<std::shared_ptr<JyBitmap>>("ReconstructionBitmap", &I::GetReconstructionBitmap));
        // clang-format on
    }
};
} // namespace Base
