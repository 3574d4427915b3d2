// Step menu bases: the entry's construction and properties, the list and its interface view, the lookup
// by type, and a concrete menu whose subscriptions end before its own members die.
#include "businesslayer/common/cstepmenuviewmodelbase.h"

#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tcommand.h"
#include "support/commandenvironment.h"
#include "support/heldcallback.h"

#include <gtest/gtest.h>

namespace
{
using Item = BusinessLayer::CStepMenuItemViewModelBase;
using Menu = BusinessLayer::CStepMenuViewModelBase;
using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
using Items = std::vector<std::shared_ptr<Item>>;

std::shared_ptr<Item> MakeItem(Type type)
{
    return std::make_shared<Item>(type, false, false, false, false, false, false, false, false, L"group",
                                  false);
}

/// A concrete menu that publishes entries and follows an outside signal into a member of its own.
class CTestMenu : public Menu
{
public:
    using Menu::ResetItems;
    using Menu::setNewItems;
    CTestMenu() = default;
    CTestMenu(Base::IEventSignal<void> const& signal, Orx2Test::HeldCallback& held)
    {
        AddConnection(signal.Connect(Base::MakeEventSignalHandler<void>([this, &held] {
            held.Hold();
            m_seen.assign(64, 1);
        })));
    }
    ~CTestMenu() override { DisconnectConnections(); }

private:
    std::vector<int> m_seen;
};

/// Entries as identities of the interface, comparable between the two views.
template <class Pointers> std::vector<void const*> Seen(Pointers const& items)
{
    std::vector<void const*> seen;
    for (auto const& item : items)
        seen.push_back(static_cast<Base::IStepMenuItemViewModel const*>(item.get()));
    return seen;
}

using StepMenu = Orx2Test::CommandEnvironment;

TEST_F(StepMenu, EachConstructorArgumentLandsInItsOwnProperty)
{
    // One argument true at a time, so that two arguments swapped show as a wrong property.
    char const* const names[] = {"visibility",    "enabled",   "selected",      "isDone",   "collapsed",
                                 "showStatusBar", "okEnabled", "cancelEnabled", "okVisible"};
    for (int set = 0; set < 9; ++set)
    {
        SCOPED_TRACE(names[set]);
        std::array<bool, 9> a{};
        a[set] = true;
        Item const item(Type{set + 60}, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                        CStringW(L"g") + wchar_t(L'a' + set), a[8]);
        std::array<bool, 9> const read = {
            item.GetVisibility().Get(), item.GetEnabled().Get(),    item.GetSelected().Get(),
            item.GetIsDone().Get(),     item.GetCollapsed().Get(),  item.ShowStatusBar().Get(),
            item.OkEnabled().Get(),     item.CancelEnabled().Get(), item.OkVisible().Get()};
        EXPECT_EQ(a, read);
        EXPECT_EQ(Type{set + 60}, item.GetItemType().Get());
        EXPECT_TRUE(CStringW(L"g") + wchar_t(L'a' + set) == item.GetGroupID().Get());
    }
}

TEST_F(StepMenu, EntriesReachBothViewsInOrderResetIsSilentWhenEmptyAndLookupFindsTheFirstOfAType)
{
    CTestMenu menu;
    std::atomic<int> notes{0};
    auto const view = Base::Binding::MakeArrayChangeObserver(
        static_cast<Base::IStepMenuViewModel const&>(menu).GetStepMenuItems(),
        [&notes](auto const&) { notes.fetch_add(1); });
    notes = 0;
    auto const a = MakeItem(Type{5}), b = MakeItem(Type{5}), c = MakeItem(Type{-1});
    struct SRow
    {
        char const* name;
        bool reset;
        Items items;
        int notifications;
        Type type;
        std::shared_ptr<Item> found;
    };
    for (SRow const& row : std::vector<SRow>{{"reset when empty", true, {}, 0, Type{5}, nullptr},
                                             {"three, two of a type", false, {c, a, b}, 1, Type{5}, a},
                                             {"reordered, shorter", false, {a, c}, 1, Type{-1}, c},
                                             {"an empty slot first", false, {nullptr, b, a}, 1, Type{5}, b},
                                             {"reset when filled", true, {}, 1, Type{5}, nullptr}})
    {
        SCOPED_TRACE(row.name);
        row.reset ? menu.ResetItems() : menu.setNewItems(row.items);
        Base::IStepMenuViewModel const& gui = menu;
        EXPECT_EQ(Seen(row.items), Seen(menu.GetStepMenuItems().GetValues()));
        EXPECT_EQ(Seen(row.items), Seen(gui.GetStepMenuItems().GetValues()));
        EXPECT_EQ(row.notifications, notes.exchange(0));
        EXPECT_EQ(row.found, menu.GetStepMenuItem(row.type));
        EXPECT_EQ(row.found, static_cast<Menu const&>(menu).getStepMenuItem(row.type));
        EXPECT_EQ(static_cast<Base::IStepMenuItemViewModel*>(row.found.get()),
                  gui.GetStepMenuItem(row.type).get());
        EXPECT_EQ(nullptr, menu.GetStepMenuItem(Type{6})) << "a type not in the menu";
    }
}

TEST_F(StepMenu, AConcreteMenuDestroyedWhileItsSignalFiresOnAnotherThread)
{
    Base::TEventSignal<void> signal;
    Orx2Test::HeldCallback held;
    auto menu = std::make_unique<CTestMenu>(signal, held);
    held.ExpectDestroyWaits([&] { signal.Fire(); }, [&] { menu.reset(); });
}
} // namespace
