#pragma once
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/istepmenuitemviewmodel.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// What the GUI sees of a step menu: the observable list of its entries, where the menu stands on the
/// screen, whether the video-mode hint is shown, and two plain flags about optional entries.
class IStepMenuViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    using EItemTypeStepMenu = IStepMenuItemViewModel::EItemTypeStepMenu; ///< The kind of an entry.

    /// Where the menu stands on the screen. A signed 32-bit enumeration whose values the hosts define;
    /// 0 is where every menu starts.
    enum class StepMenuPosition : std::int32_t
    {
    };

    ~IStepMenuViewModel() override = default;

    /// The entries in display order. Lives as long as the menu.
    virtual Binding::IArrayBindingSource<std::shared_ptr<IStepMenuItemViewModel>> const&
    GetStepMenuItems() const = 0;
    /// The first entry of kind `type`, or an empty pointer.
    virtual std::shared_ptr<IStepMenuItemViewModel> GetStepMenuItem(EItemTypeStepMenu type) const = 0;
    /// The property the GUI binds as `StepMenuPosition`.
    virtual IProperty<StepMenuPosition> const& GetStepMenuPosition() const = 0;
    /// Replaces what `GetStepMenuPosition` hands out.
    virtual void SetStepMenuPosition(StepMenuPosition position) = 0;
    /// Plain flags: changing them notifies nobody.
    virtual bool GetCanOptionalItemsCollapse() const = 0;
    /// Replaces what `GetCanOptionalItemsCollapse` hands out.
    virtual void SetCanOptionalItemsCollapse(bool canCollapse) = 0;
    /// The value the GUI reads as `OptionalItemsExpanded`.
    virtual bool GetOptionalItemsExpanded() const = 0;
    /// Replaces what `GetOptionalItemsExpanded` hands out.
    virtual void SetOptionalItemsExpanded(bool expanded) = 0;
    /// The property the GUI binds as `ShowVideoMode2DDisabledHint`.
    virtual IProperty<bool> const& GetShowVideoMode2DDisabledHint() const = 0;
};

// GetStepMenuItem(type) is a lookup in StepMenuItems, not a member of its own.
/// What the GUI binds of `IStepMenuViewModel`, by name (see TDescription).
template <> struct TDescription<IStepMenuViewModel> : Describe::TMembersOf<IStepMenuViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<std::shared_ptr<IStepMenuItemViewModel>>("StepMenuItems", &I::GetStepMenuItems),
            Property<I::StepMenuPosition>("StepMenuPosition", &I::GetStepMenuPosition),
            Value<bool>("CanOptionalItemsCollapse", &I::GetCanOptionalItemsCollapse),
            Value<bool>("OptionalItemsExpanded", &I::GetOptionalItemsExpanded),
            Property<bool>("ShowVideoMode2DDisabledHint", &I::GetShowVideoMode2DDisabledHint));
        // clang-format on
    }
};
} // namespace Base
