#pragma once
#include "base/orx2basepool/interfaces/isidepaneltoolitemviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace BusinessLayer
{
/// A tool of the side panel. It is not a CSidePanelItemViewModelBase: it has the same five members
/// (flags, command, unlock command) plus its tool type, a sort index and eight tool actions it makes
/// itself.
///
/// The tool actions: action `i` (i = 0 to 7) has type `i` and sits at position `i`; each is made with
/// the tool's `name` as its command prefix, so its command is registered as
/// "<name>.CToolActionViewModelBase.Command_<i>", and with the tool's visibility and enabled flags.
/// Action 0 starts selected whatever `selected` says; actions 1 to 7 start with `selected`.
/// Names are registered first come, first served: while a tool named "X" lives, a second tool named "X"
/// makes its actions and commands as usual, but the names lead to the first tool's commands; the
/// second's are reachable only through its actions, also once the first tool is gone. Give every tool
/// its own name.
///
/// The sort index is a plain number: SetSortIndex notifies nobody.
/// Thread-safety: properties and the sort index may be read and set from any thread. The action array
/// reached through the non-const GetItemTypeToolActions() is not synchronised: replace actions (if at
/// all) before the tool is published.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelTool
    : public Base::TNotifyPropertyChangedImpl<Base::ISidePanelToolItemViewModel>
{
public:
    /// The tool's command, empty while none is installed.
    using CommandPointer = std::shared_ptr<Base::ICommand<>>;
    /// The tool's eight action slots.
    using ToolActions = std::array<std::shared_ptr<CToolActionViewModelBase>, kToolActionCount>;

    /// Makes and registers the eight tool actions (see the class comment). Throws std::bad_alloc and
    /// what the host's journal throws.
    CSidePanelItemViewModelTool(std::wstring const& name, EItemTypeTools type, bool visibility, bool enabled,
                                bool selected);
    ~CSidePanelItemViewModelTool() override;

    Base::IProperty<EItemTypeTools> const& GetItemType() const override { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeTools>& GetItemType() { return m_itemType; }
    Base::IProperty<CommandPointer> const& GetCommand() const override { return m_command; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CommandPointer>& GetCommand() { return m_command; }
    Base::IProperty<CommandPointer> const& GetUnlockCommand() const override { return m_unlockCommand; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CommandPointer>& GetUnlockCommand() { return m_unlockCommand; }
    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnabled() { return m_enabled; }
    Base::IProperty<bool> const& GetSelected() const override { return m_selected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetSelected() { return m_selected; }

    std::array<std::shared_ptr<Base::IToolActionViewModel>, kToolActionCount>
    GetItemTypeToolActions() const override;
    /// The actions themselves (see the class comment on synchronisation).
    ToolActions& GetItemTypeToolActions() { return m_toolActions; }

    std::uint64_t GetSortIndex() override { return m_sortIndex.load(std::memory_order_relaxed); }
    /// Notifies nobody. Never throws.
    void SetSortIndex(std::uint64_t index) noexcept { m_sortIndex.store(index, std::memory_order_relaxed); }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeTools> m_itemType;
    Base::TProperty<CommandPointer> m_command{nullptr, *this};
    Base::TProperty<CommandPointer> m_unlockCommand{nullptr, *this};
    ToolActions m_toolActions;
    Base::TProperty<bool> m_visibility;
    Base::TProperty<bool> m_enabled;
    Base::TProperty<bool> m_selected;
    std::atomic<std::uint64_t> m_sortIndex{0};
};
} // namespace BusinessLayer
