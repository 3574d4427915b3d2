#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/interfaces/itoolactionviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>
#include <string>

namespace BusinessLayer
{
/// One action button of a tool, with a command of its own.
///
/// The constructor makes a GUI-locking command without arguments, registers it under
/// `namePrefix` + ".CToolActionViewModelBase.Command_" + the item type as a signed decimal number, and
/// puts it into the Command property. Executed, that default command only logs "Command  %i" with the
/// current item type (level 2, channel "ORX2.CToolActionViewModelBase"); owners that give the button a
/// real effect set the Command property to a command of their own. The registry holds the command
/// weakly, so its entry expires once the property no longer holds it and nobody else does. Two actions
/// made with the same prefix and type share one name: the registry keeps the first live one, the second
/// is reached through its property only.
///
/// Thread-safety: every member may be called from any thread. The default command's action reaches
/// this object only while it is whole: an execution through a command pointer that outlived it (taken
/// from the registry, or on another thread) does nothing beyond the command's own bookkeeping, and the
/// destructor waits for an execution running on another thread.
class ORX2_COMMON_EXPORT CToolActionViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IToolActionViewModel>
{
public:
    /// The kind of a tool action.
    using ItemTypeToolActionsEnum = Base::IToolActionViewModel::ItemTypeToolActionsEnum;
    /// The action's command, empty while none is installed.
    using CommandPtr = std::shared_ptr<Base::ICommand<>>;

    /// Builds the properties from the arguments and makes and registers the default command. Throws
    /// std::bad_alloc and what the host's journal throws.
    CToolActionViewModelBase(std::wstring const& namePrefix, ItemTypeToolActionsEnum itemType, bool visible,
                             bool enabled, bool selected);
    ~CToolActionViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnabled() { return m_enabled; }
    Base::IProperty<bool> const& GetSelected() const override { return m_selected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetSelected() { return m_selected; }
    Base::IProperty<CommandPtr> const& GetCommand() const override { return m_command; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CommandPtr>& GetCommand() { return m_command; }
    /// Fixed for the GUI; derived classes change it through GetItemTypeProperty.
    Base::IProperty<ItemTypeToolActionsEnum> const& GetItemType() const override { return m_itemType; }

protected:
    /// The item type for derived classes. The default command logs the type current at its execution;
    /// its registered name keeps the type of construction.
    Base::TProperty<ItemTypeToolActionsEnum>& GetItemTypeProperty() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    /// The default command's action.
    void LogCommand() const;

    Base::TProperty<bool> m_visibility;
    Base::TProperty<bool> m_enabled;
    Base::TProperty<bool> m_selected;
    Base::TProperty<ItemTypeToolActionsEnum> m_itemType;
    Base::TProperty<CommandPtr> m_command{nullptr, *this};
};
} // namespace BusinessLayer
