// The example of docs/writing-a-view-model.md: a complete small view model and its test, in the pattern
// every view model of the library follows. Keep it compiling and in step with that guide.
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

// --- the view model -------------------------------------------------------------------------------------
namespace Base
{
/// What the GUI sees of a panel that can be shown and closed.
class IPanelViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    virtual IProperty<bool> const& GetVisible() const = 0;
    virtual std::shared_ptr<ICommand<>> GetCloseCommand() const = 0;
    virtual std::shared_ptr<ICommand<>> GetToggleCommand() const = 0;
};
} // namespace Base

namespace BusinessLayer
{
/// A panel the host fills: `Visible` is a property, the close command a slot the host installs, and the
/// toggle a command registered under "CPanelViewModel.Toggle" whose action reaches this object only
/// while it is whole.
class CPanelViewModel : public Base::TNotifyPropertyChangedImpl<Base::IPanelViewModel>
{
public:
    CPanelViewModel()
        : m_toggleCommand(Base::MakeOwnerBoundCommand<Base::TCommand<void>>(
              m_guard, *this,
              [](CPanelViewModel& self) { self.m_visible.Update([](bool visible) { return !visible; }); },
              L"CPanelViewModel.Toggle", true))
    {
        m_guard.Open();
    }
    ~CPanelViewModel() override { m_guard.Close(); }

    Base::IProperty<bool> const& GetVisible() const override { return m_visible; }
    Base::TProperty<bool>& GetVisible() { return m_visible; }

    std::shared_ptr<Base::ICommand<>> GetCloseCommand() const override { return m_closeCommand.Get(); }
    void SetCloseCommand(std::shared_ptr<Base::ICommand<>> command)
    {
        m_closeCommand.Set(std::move(command));
    }

    std::shared_ptr<Base::ICommand<>> GetToggleCommand() const override { return m_toggleCommand; }

private:
    Base::TProperty<bool> m_visible{false, *this};
    Base::TCommandSlot<Base::ICommand<>> m_closeCommand;
    Base::COwnerGuard m_guard; // before the commands bound to it
    std::shared_ptr<Base::TCommand<void>> m_toggleCommand;
};
} // namespace BusinessLayer

// --- its test ------------------------------------------------------------------------------------------
namespace
{
using BusinessLayer::CPanelViewModel;

using PanelViewModel = Orx2Test::CommandEnvironment;
} // namespace

TEST_F(PanelViewModel, ToggleByNameAsTheGuiSeesIt)
{
    auto panel = std::make_unique<CPanelViewModel>();
    Orx2Test::GuiProbe probe;
    probe.Watch("panel", *panel);

    auto const toggle = Find<Base::ICommand<>>(L"CPanelViewModel.Toggle");
    ASSERT_NE(nullptr, toggle);
    toggle->Execute();

    auto const step = probe.Take();
    EXPECT_TRUE(panel->GetVisible().Get());
    EXPECT_EQ(1, step.Changes("panel"));
    EXPECT_EQ(std::vector<std::wstring>{L"CPanelViewModel.Toggle"}, step.commands);
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);

    panel.reset();
    EXPECT_NO_THROW(toggle->Execute()) << "reached a dead panel";
}
