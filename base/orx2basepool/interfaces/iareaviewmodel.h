#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/interfaces/iareaitemviewmodel.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"

#include <array>
#include <memory>

namespace Base
{
/// What the GUI sees of the area panel: one item per scan area, which area is selected, whether the
/// panel is shown, whether tiles may be dragged, whether the thumbnail bar is open, and the command
/// that activates an area. Every property lives as long as the view model.
class IAreaViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// How much the case requires an area (see ICaseRequiredAreasDataExchangeModel).
    using EAreaRequirementLevel = ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;

    ~IAreaViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `EnableDragDrop`.
    virtual IProperty<bool> const& GetEnableDragDrop() const = 0;
    /// The property the GUI binds as `IsThumbnailBarActive`.
    virtual IProperty<bool> const& GetIsThumbnailBarActive() const = 0;
    /// The same property, writable through the interface (the GUI opens and closes the bar).
    virtual TProperty<bool>& GetIsThumbnailBarActive() = 0;
    /// A copy of the items: the item of the area whose EAreaItems value is `i` at position `i`. The
    /// same fourteen objects for the view model's whole life.
    virtual std::array<std::shared_ptr<IAreaItemViewModel>, kAreaItemCount> GetAreaItemViewModels() const = 0;
    /// The property the GUI binds as `SelectedArea`.
    virtual IProperty<EAreaItems> const& GetSelectedArea() const = 0;
    /// Makes the items' IsObligatory follow `source` (position = EAreaItems value, obligatory exactly at
    /// level 2); a later call switches to another source.
    virtual void SetRequiredAreasArray(Binding::IArrayBindingSource<EAreaRequirementLevel> const& source) = 0;
    /// Executed with the area to activate; empty while none is installed.
    virtual IProperty<std::shared_ptr<ICommand<EAreaItems>>> const& GetActivateAreaCommand() const = 0;
};

/// What the GUI binds of `IAreaViewModel`, by name (see TDescription).
template <> struct TDescription<IAreaViewModel> : Describe::TMembersOf<IAreaViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("EnableDragDrop", &I::GetEnableDragDrop),
            Property<bool>("IsThumbnailBarActive", &I::GetIsThumbnailBarActive),
            ViewModelGroup<IAreaItemViewModel, kAreaItemCount>("AreaItemViewModels", &I::GetAreaItemViewModels),
            Property<EAreaItems>("SelectedArea", &I::GetSelectedArea),
            Command<EAreaItems>("ActivateArea", &I::GetActivateAreaCommand));
        // clang-format on
    }
};
} // namespace Base
