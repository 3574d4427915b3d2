// Member descriptions: every kind read, subscribed to and executed through one generic visitor, the way
// a GUI binding walks a view model it has never seen.
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace Base
{
class IDescribedChild : public INotifyPropertyChanged
{
public:
    virtual IProperty<int> const& GetLevel() const = 0;
};

class IDescribedPanel : public INotifyPropertyChanged
{
public:
    virtual IProperty<bool> const& GetVisible() const = 0;
    virtual IProperty<bool>& GetVisible() = 0; // a const overload is taken
    virtual TProperty<double>& GetZoom() = 0;  // only a non-const one
    virtual int GetRevision() const = 0;
    virtual float GetProgress(EAreaItems area) const = 0;
    virtual Binding::IArrayBindingSource<int> const& GetEntries() const = 0;
    virtual std::shared_ptr<ICommand<int>> GetPickCommand() const = 0;
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCloseCommand() const = 0;
    virtual std::shared_ptr<IDescribedChild> GetChild() const = 0;
    virtual std::array<std::shared_ptr<IDescribedChild>, 2> GetPair() const = 0;
    virtual IEventSignal<void> const& GetClosedEvent() const = 0;
};

template <> struct TDescription<IDescribedChild> : Describe::TMembersOf<IDescribedChild>
{
    static constexpr auto Members() { return std::make_tuple(Property<int>("Level", &I::GetLevel)); }
};

template <> struct TDescription<IDescribedPanel> : Describe::TMembersOf<IDescribedPanel>
{
    static constexpr auto Members()
    {
        return std::make_tuple(Property<bool>("Visible", &I::GetVisible), Property<double>("Zoom", &I::GetZoom),
                               Value<int>("Revision", &I::GetRevision),
                               AreaValue<float>("Progress", &I::GetProgress),
                               ArraySource<int>("Entries", &I::GetEntries),
                               Command<int>("Pick", &I::GetPickCommand), Command<>("Close", &I::GetCloseCommand),
                               ViewModel<IDescribedChild>("Child", &I::GetChild),
                               ViewModelGroup<IDescribedChild, 2>("Pair", &I::GetPair),
                               Event<void>("Closed", &I::GetClosedEvent));
    }
};
} // namespace Base

namespace
{
using namespace Base;

class Child final : public TNotifyPropertyChangedImpl<IDescribedChild>
{
public:
    explicit Child(int level) : m_level(level, *this) {}
    IProperty<int> const& GetLevel() const override { return m_level; }

private:
    TProperty<int> m_level;
};

class Panel final : public TNotifyPropertyChangedImpl<IDescribedPanel>
{
public:
    IProperty<bool> const& GetVisible() const override { return m_visible; }
    IProperty<bool>& GetVisible() override { return m_visible; }
    TProperty<double>& GetZoom() override { return m_zoom; }
    int GetRevision() const override { return 7; }
    float GetProgress(EAreaItems area) const override { return static_cast<float>(area) / 2.0f; }
    Binding::IArrayBindingSource<int> const& GetEntries() const override { return entries; }
    std::shared_ptr<ICommand<int>> GetPickCommand() const override { return pick; }
    IProperty<std::shared_ptr<ICommand<>>> const& GetCloseCommand() const override { return close; }
    std::shared_ptr<IDescribedChild> GetChild() const override { return pair[0]; }
    std::array<std::shared_ptr<IDescribedChild>, 2> GetPair() const override { return pair; }
    IEventSignal<void> const& GetClosedEvent() const override { return closed; }

    TProperty<bool> m_visible{false, *this};
    TProperty<double> m_zoom{1.5, *this};
    Binding::TArrayProperty<int> entries;
    std::vector<int> picked;
    std::shared_ptr<ICommand<int>> pick =
        std::make_shared<TCommand<void, int>>([this](int value) { picked.push_back(value); }, L"Panel.Pick", false);
    TProperty<std::shared_ptr<ICommand<>>> close{nullptr, *this};
    std::array<std::shared_ptr<IDescribedChild>, 2> pair{std::make_shared<Child>(1), std::make_shared<Child>(2)};
    TEventSignal<void> closed;
};

// What each kind hands a generic visitor, checked where the description is compiled. (A property's type
// and whether a command notifies are what the property contract walks every model by.)
using Members = decltype(TDescription<IDescribedPanel>::Members());
static_assert(MemberCount<IDescribedPanel>() == 10);
static_assert(kIsDescribed<IDescribedPanel> && !kIsDescribed<INotifyPropertyChanged>);
static_assert(std::is_same_v<std::tuple_element_t<4, Members>::Type, std::vector<int>>);
static_assert(std::is_same_v<std::tuple_element_t<5, Members>::Arguments, std::tuple<int>>);
static_assert(std::is_same_v<std::tuple_element_t<8, Members>::Type, std::array<std::shared_ptr<IDescribedChild>, 2>>);

using Shown = std::vector<std::pair<std::string, std::string>>;

/// A generic reader: what a GUI binding would show of each member, as text, in the described order.
Shown ReadAll(IDescribedPanel& panel)
{
    Shown shown;
    ForEachMember<IDescribedPanel>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            std::string& text = shown.emplace_back(member.name, "").second;
            if constexpr (Member::kKind == EMemberKind::Property || Member::kKind == EMemberKind::Value)
                text = std::to_string(member.Read(panel));
            else if constexpr (Member::kKind == EMemberKind::AreaValue)
                text = std::to_string(member.Read(panel, EAreaItems::UpperJaw));
            else if constexpr (Member::kKind == EMemberKind::ArraySource)
                text = std::to_string(member.Read(panel).size()) + " entries";
            else if constexpr (Member::kKind == EMemberKind::Command)
                text = member.Read(panel) ? "set" : "empty";
            else if constexpr (Member::kKind == EMemberKind::ViewModel)
                text = std::to_string(member.Read(panel)->GetLevel().Get());
            else if constexpr (Member::kKind == EMemberKind::ViewModelGroup)
                for (auto const& child : member.Read(panel))
                    text += std::to_string(child->GetLevel().Get());
            else
                text = "event";
        });
    return shown;
}

using Description = Orx2Test::CommandEnvironment;

TEST_F(Description, AGenericVisitorReadsEveryKindInOrderSubscribesAndExecutesTheCommandInstalledNow)
{
    Panel panel;
    panel.entries.Set({4, 5, 6});
    Shown const expected{{"Visible", "0"},         {"Zoom", "1.500000"}, {"Revision", "7"},
                         {"Progress", "0.500000"}, {"Entries", "3 entries"}, {"Pick", "set"},
                         {"Close", "empty"},       {"Child", "1"},         {"Pair", "12"},
                         {"Closed", "event"}};
    EXPECT_EQ(expected, ReadAll(panel));

    auto const& members = TDescription<IDescribedPanel>::Members();
    std::vector<bool> seen;
    Binding::TValueChangedObserver<bool> const visible(std::get<0>(members).Source(panel),
                                                       [&](bool value) { seen.push_back(value); });
    panel.m_visible.Set(true);
    EXPECT_EQ((std::vector<bool>{false, true}), seen);

    EXPECT_TRUE(std::get<5>(members).Execute(panel, 3));
    EXPECT_EQ(std::vector<int>{3}, panel.picked);
    EXPECT_FALSE(std::get<6>(members).Execute(panel)) << "nothing installed: nothing runs";
    int closes = 0;
    panel.close.Set(std::make_shared<TCommand<void>>([&] { ++closes; }, L"Panel.Close", false));
    EXPECT_TRUE(std::get<6>(members).Execute(panel));
    EXPECT_EQ(1, closes);
}
} // namespace
