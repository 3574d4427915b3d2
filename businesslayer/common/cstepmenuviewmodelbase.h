#pragma once
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/interfaces/istepmenuviewmodel.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/cstepmenuitemviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace BusinessLayer
{
/// The base of every step menu: the observable list of entries, its interface view, the menu's position,
/// the video-mode hint, two plain flags about optional entries, and the lookup of an entry by its type.
///
/// The base decides no workflow. A concrete menu builds its entries, installs their commands and
/// publishes them with `setNewItems`; it moves their state through the entries' accessors.
///
/// The GUI reads the entries through `GetStepMenuItems() const`, an interface view that follows the
/// concrete array through a conversion: every change of the array reaches the view, in the same order,
/// before `setNewItems` or `ResetItems` returns.
///
/// Subscriptions of a concrete menu. A concrete menu that connects to signals of other objects keeps the
/// connections through `AddConnection`. They must be cut before the concrete menu's own members die,
/// which is before this base's destructor runs: the concrete menu's destructor therefore calls
/// `DisconnectConnections()` as its first statement. That call waits for handlers running on other
/// threads, so once it returns no handler of the menu runs or will run. The base's destructor calls it
/// again (first, before any property or array of the base goes) for menus that kept no members of
/// their own in their handlers. Handlers bound to the owner guard (`Base::BindToOwner(GetOwnerGuard(),
/// *this, ...)`) also hold the menu while they run; the destructor closes the guard first.
///
/// Thread-safety: every member may be called from any thread. The two plain flags are atomics: reads
/// and writes from different threads are well defined, and they notify nobody.
class ORX2_COMMON_EXPORT CStepMenuViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IStepMenuViewModel>
{
public:
    using Item = CStepMenuItemViewModelBase; ///< An entry of the menu.
    using ItemArray = Base::Binding::TArrayProperty<std::shared_ptr<Item>>; ///< The entries, in menu order.

    /// No entries, position 0, no hint, optional entries not collapsible and expanded. Throws
    /// std::bad_alloc.
    CStepMenuViewModelBase();
    /// Disconnects the kept connections first, then the members go.
    ~CStepMenuViewModelBase() override;

    /// The interface view of the entries, for the GUI.
    Base::Binding::IArrayBindingSource<std::shared_ptr<Base::IStepMenuItemViewModel>> const&
    GetStepMenuItems() const override
    {
        return m_itemsView;
    }
    /// The entries as they are stored; edited only through `setNewItems` and `ResetItems`.
    ItemArray const& GetStepMenuItems() { return m_items; }

    /// @{
    /// The first entry of kind `type` in one snapshot of the entries (empty slots skipped), or an empty
    /// pointer. The three forms give the same entry.
    std::shared_ptr<Base::IStepMenuItemViewModel> GetStepMenuItem(EItemTypeStepMenu type) const override;
    std::shared_ptr<Item> GetStepMenuItem(EItemTypeStepMenu type) { return getStepMenuItem(type); }
    std::shared_ptr<Item> getStepMenuItem(EItemTypeStepMenu type) const;
    /// @}

    Base::IProperty<StepMenuPosition> const& GetStepMenuPosition() const override
    {
        return m_stepMenuPosition;
    }
    void SetStepMenuPosition(StepMenuPosition position) override { m_stepMenuPosition.Set(position); }

    bool GetCanOptionalItemsCollapse() const override { return m_canOptionalItemsCollapse.load(); }
    void SetCanOptionalItemsCollapse(bool canCollapse) override
    {
        m_canOptionalItemsCollapse.store(canCollapse);
    }
    bool GetOptionalItemsExpanded() const override { return m_optionalItemsExpanded.load(); }
    void SetOptionalItemsExpanded(bool expanded) override { m_optionalItemsExpanded.store(expanded); }

    Base::IProperty<bool> const& GetShowVideoMode2DDisabledHint() const override
    {
        return m_showVideoMode2DDisabledHint;
    }
    /// For the concrete menu or the host's code that decides when the hint shows.
    Base::TProperty<bool>& GetShowVideoMode2DDisabledHint() { return m_showVideoMode2DDisabledHint; }

protected:
    /// Removes every entry: one notification that all are gone, or none when there were none.
    void ResetItems();
    /// Makes `items` the whole list, in their order: one notification that describes the differences
    /// position by position. Empty pointers are kept as empty slots (lookups skip them).
    void setNewItems(std::vector<std::shared_ptr<Item>> const& items);

    /// Keeps `connection` until `DisconnectConnections` or the base's destructor. Thread-safe.
    void AddConnection(Base::CScopedEventSignalConnection connection);
    /// Disconnects every kept connection, waiting for handlers running on other threads. Idempotent.
    /// Must not be called from one of those handlers (it would wait for itself).
    void DisconnectConnections();

private:
    static Logging::CLogger const s_logger;

    ItemArray m_items;
    Base::Binding::TArrayBindingSourceProxy<std::shared_ptr<Base::IStepMenuItemViewModel>> m_itemsView;
    Base::TProperty<StepMenuPosition> m_stepMenuPosition{StepMenuPosition{0}, *this};
    std::mutex m_connectionsMutex;
    std::vector<Base::CScopedEventSignalConnection> m_connections;
    Base::TProperty<bool> m_showVideoMode2DDisabledHint{false, *this};
    std::atomic<bool> m_canOptionalItemsCollapse{false};
    std::atomic<bool> m_optionalItemsExpanded{true};
};
} // namespace BusinessLayer
