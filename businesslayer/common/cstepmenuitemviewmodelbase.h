#pragma once
#include "base/orx2basepool/interfaces/istepmenuitemviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/foundation/cstringw.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// One entry of a step menu, the base of the entries of every concrete menu.
///
/// A state holder: the concrete menu builds its entries with the constructor, installs their commands
/// and moves selection, completion and enabling through the non-const accessors. Every property is owned
/// by the entry, so each real change fires its PropertyChanged once; installing a command notifies too.
/// Visibility, Collapsed, IsOptional and ItemType have no non-const accessor: the first three change
/// through their setters, the type never changes.
///
/// Thread-safety: every member may be called from any thread (properties lock themselves).
class ORX2_COMMON_EXPORT CStepMenuItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IStepMenuItemViewModel>
{
public:
    template <class T> using Property = Base::TProperty<T>; ///< A property of the entry.

    /// Builds an entry of kind `itemType` in the given state. Note the order: `okVisible` comes last,
    /// after `groupID`, although its property stands between OkEnabled and CancelEnabled.
    /// CanOptionalsCollapse and IsOptional start false, InfoText empty, the three commands empty.
    /// Throws std::bad_alloc.
    CStepMenuItemViewModelBase(EItemTypeStepMenu itemType, bool visibility, bool enabled, bool selected,
                               bool isDone, bool collapsed, bool showStatusBar, bool okEnabled,
                               bool cancelEnabled, CStringW const& groupID, bool okVisible);
    ~CStepMenuItemViewModelBase() override;

    Property<bool> const& GetVisibility() const override { return m_visibility; }
    Property<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same, with its class: for the host's code.
    Property<bool>& GetEnabled() { return m_enabled; }
    Property<bool> const& GetSelected() const override { return m_selected; }
    /// The same, with its class: for the host's code.
    Property<bool>& GetSelected() { return m_selected; }
    Property<bool> const& GetIsDone() const override { return m_isDone; }
    /// The same, with its class: for the host's code.
    Property<bool>& GetIsDone() { return m_isDone; }
    Property<bool> const& GetCollapsed() const override { return m_collapsed; }
    Base::IProperty<bool> const& GetCanOptionalsCollapse() const override { return m_canOptionalsCollapse; }
    /// The same, with its class: for the host's code.
    Base::IProperty<bool>& GetCanOptionalsCollapse() { return m_canOptionalsCollapse; }
    Property<bool> const& ShowStatusBar() const override { return m_showStatusBar; }
    /// The same property, settable: for the host's code.
    Property<bool>& ShowStatusBar() { return m_showStatusBar; }
    Property<bool> const& OkEnabled() const override { return m_okEnabled; }
    /// The same property, settable: for the host's code.
    Property<bool>& OkEnabled() { return m_okEnabled; }
    Property<bool> const& OkVisible() const override { return m_okVisible; }
    /// The same property, settable: for the host's code.
    Property<bool>& OkVisible() { return m_okVisible; }
    Property<bool> const& CancelEnabled() const override { return m_cancelEnabled; }
    /// The same property, settable: for the host's code.
    Property<bool>& CancelEnabled() { return m_cancelEnabled; }
    Property<bool> const& GetIsOptional() const override { return m_isOptional; }
    Base::IProperty<CStringW> const& GetInfoText() const override { return m_infoText; }
    /// The same, with its class: for the host's code.
    Property<CStringW>& GetInfoText() { return m_infoText; }
    Base::IProperty<CStringW> const& GetGroupID() const override { return m_groupID; }
    /// The same, with its class: for the host's code.
    Property<CStringW>& GetGroupID() { return m_groupID; }
    Base::IProperty<std::shared_ptr<Base::ICommand<>>> const& GetCommand() const override
    {
        return m_command;
    }
    /// The same, with its class: for the host's code.
    Property<std::shared_ptr<Base::ICommand<>>>& GetCommand() { return m_command; }
    Base::IProperty<std::shared_ptr<Base::ICommand<bool>>> const& GetOkCancelPressed() const override
    {
        return m_okCancelPressed;
    }
    /// The same, with its class: for the host's code.
    Property<std::shared_ptr<Base::ICommand<bool>>>& GetOkCancelPressed() { return m_okCancelPressed; }
    Base::IProperty<std::shared_ptr<Base::ICommand<CStringW>>> const& GetTextInserted() const override
    {
        return m_textInserted;
    }
    /// The same, with its class: for the host's code.
    Property<std::shared_ptr<Base::ICommand<CStringW>>>& GetTextInserted() { return m_textInserted; }
    Base::IProperty<EItemTypeStepMenu> const& GetItemType() const override { return m_itemType; }

    /// @{
    /// Write the property (notifying on a real change). Thread-safe.
    void SetVisibility(bool visibility) { m_visibility.Set(visibility); }
    void SetCollapsed(bool collapsed) { m_collapsed.Set(collapsed); }
    void SetOptional(bool optional) { m_isOptional.Set(optional); }
    /// @}

private:
    static Logging::CLogger const s_logger;

    Property<bool> m_visibility;
    Property<bool> m_enabled;
    Property<bool> m_selected;
    Property<bool> m_isDone;
    Property<bool> m_collapsed;
    Property<bool> m_canOptionalsCollapse{false, *this};
    Property<bool> m_showStatusBar;
    Property<bool> m_okEnabled;
    Property<bool> m_okVisible;
    Property<bool> m_cancelEnabled;
    Property<bool> m_isOptional{false, *this};
    Property<CStringW> m_infoText{CStringW(), *this};
    Property<CStringW> m_groupID;
    Property<std::shared_ptr<Base::ICommand<>>> m_command{nullptr, *this};
    Property<std::shared_ptr<Base::ICommand<bool>>> m_okCancelPressed{nullptr, *this};
    Property<std::shared_ptr<Base::ICommand<CStringW>>> m_textInserted{nullptr, *this};
    Property<EItemTypeStepMenu> m_itemType;
};
} // namespace BusinessLayer
