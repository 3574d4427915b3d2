#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"
#include "host/foundation/cstringw.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// What the GUI sees of one entry of a step menu: a step button with its state (shown, enabled,
/// selected, done, collapsed, optional), an info text, a group, the command run when the user picks the
/// step, and an inline confirmation area (OK and Cancel, a status bar, a text field).
///
/// Unlike the other view-model interfaces it is not an IViewModelObject: entries are reached through
/// their menu only. Several getters hand out the property class itself (`TProperty<bool> const&`);
/// they still only allow reading and observing. Every property lives as long as the entry.
class IStepMenuItemViewModel : public INotifyPropertyChanged
{
public:
    /// The kind of step. A signed 32-bit enumeration whose values the concrete menus define (a menu
    /// names its own, for example `EItemTypeStepMenu{61}`); nothing here depends on a particular value.
    /// The named ones are the entries of the camera calibration step menu.
    enum class EItemTypeStepMenu : std::int32_t
    {
        eContinue = 7,
        eCancel = 8,
        eInfoText = 11,
        eConfigCameraCalibrationSetNumberInput = 61,
        eOk = 63,
        eRetry = 64,
        eAbort = 65,
        eInfo = 66,
        eConfirm = 67,
    };

    ~IStepMenuItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual TProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `Enabled`.
    virtual TProperty<bool> const& GetEnabled() const = 0;
    /// The property the GUI binds as `Selected`.
    virtual TProperty<bool> const& GetSelected() const = 0;
    /// The property the GUI binds as `IsDone`.
    virtual TProperty<bool> const& GetIsDone() const = 0;
    /// The property the GUI binds as `Collapsed`.
    virtual TProperty<bool> const& GetCollapsed() const = 0;
    /// The property the GUI binds as `CanOptionalsCollapse`.
    virtual IProperty<bool> const& GetCanOptionalsCollapse() const = 0;
    /// The property the GUI binds as `ShowStatusBar`.
    virtual TProperty<bool> const& ShowStatusBar() const = 0;
    /// The property the GUI binds as `OkEnabled`.
    virtual TProperty<bool> const& OkEnabled() const = 0;
    /// The property the GUI binds as `OkVisible`.
    virtual TProperty<bool> const& OkVisible() const = 0;
    /// The property the GUI binds as `CancelEnabled`.
    virtual TProperty<bool> const& CancelEnabled() const = 0;
    /// The property the GUI binds as `IsOptional`.
    virtual TProperty<bool> const& GetIsOptional() const = 0;
    /// The property the GUI binds as `InfoText`.
    virtual IProperty<CStringW> const& GetInfoText() const = 0;
    /// The name under which the GUI finds the entry.
    virtual IProperty<CStringW> const& GetGroupID() const = 0;
    /// Run when the user picks the step; empty while none is installed.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCommand() const = 0;
    /// Run with true for OK and false for Cancel of the inline confirmation.
    virtual IProperty<std::shared_ptr<ICommand<bool>>> const& GetOkCancelPressed() const = 0;
    /// Run with the text entered in the entry's text field.
    virtual IProperty<std::shared_ptr<ICommand<CStringW>>> const& GetTextInserted() const = 0;
    /// The property the GUI binds as `ItemType`.
    virtual IProperty<EItemTypeStepMenu> const& GetItemType() const = 0;
};

// "Command": the getter names nothing but the command, so the suffix stays.
/// What the GUI binds of `IStepMenuItemViewModel`, by name (see TDescription).
template <> struct TDescription<IStepMenuItemViewModel> : Describe::TMembersOf<IStepMenuItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("Enabled", &I::GetEnabled),
            Property<bool>("Selected", &I::GetSelected),
            Property<bool>("IsDone", &I::GetIsDone),
            Property<bool>("Collapsed", &I::GetCollapsed),
            Property<bool>("CanOptionalsCollapse", &I::GetCanOptionalsCollapse),
            Property<bool>("ShowStatusBar", &I::ShowStatusBar),
            Property<bool>("OkEnabled", &I::OkEnabled),
            Property<bool>("OkVisible", &I::OkVisible),
            Property<bool>("CancelEnabled", &I::CancelEnabled),
            Property<bool>("IsOptional", &I::GetIsOptional),
            Property<CStringW>("InfoText", &I::GetInfoText),
            Property<CStringW>("GroupID", &I::GetGroupID),
            Command<>("Command", &I::GetCommand),
            Command<bool>("OkCancelPressed", &I::GetOkCancelPressed),
            Command<CStringW>("TextInserted", &I::GetTextInserted),
            Property<I::EItemTypeStepMenu>("ItemType", &I::GetItemType));
        // clang-format on
    }
};
} // namespace Base
