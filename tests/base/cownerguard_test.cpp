// The owner guard and owner-bound registered commands: actions run only while their owner is whole.
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "support/commandenvironment.h"
#include "support/heldcallback.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>

using namespace Base;
using namespace Orx2Test;

namespace
{
constexpr wchar_t const* kName = L"OwnerGuardTest.Increment";

/// A small owner in the kit's pattern: the guard before the command, opened last in the constructor and
/// closed first in the destructor. `before` runs in the constructor before the guard opens.
class Counter
{
public:
    explicit Counter(std::function<void(Counter&)> const& before = {}, std::function<void()> action = {})
        : m_action(std::move(action)),
          m_command(MakeOwnerBoundCommand<TCommand<void, int>>(
              m_guard, *this, [](Counter& self, int step) { self.Increment(step); }, kName, false))
    {
        if (before)
            before(*this);
        m_guard.Open();
    }
    ~Counter() { m_guard.Close(); }

    std::shared_ptr<TCommand<void, int>> const& Command() const { return m_command; }
    int Value() const { return m_value.load(); }

private:
    void Increment(int step)
    {
        if (m_action)
            m_action();
        m_value.fetch_add(step);
    }

    std::function<void()> m_action;
    std::atomic<int> m_value{0};
    COwnerGuard m_guard;
    std::shared_ptr<TCommand<void, int>> m_command;
};

using OwnerGuard = CommandEnvironment;
} // namespace

TEST_F(OwnerGuard, ActionRunsOnlyBetweenConstructionAndDestruction)
{
    auto counter = std::make_unique<Counter>([](Counter& self) { self.Command()->Execute(5); });
    EXPECT_EQ(0, counter->Value()) << "an execution before the constructor finished reached the owner";

    auto const found = Find(kName);
    ASSERT_EQ(counter->Command().get(), found.get());
    counter->Command()->Execute(2);
    EXPECT_EQ(2, counter->Value());

    // The registry (or another thread) may still hold the command when its owner goes.
    std::shared_ptr<ICommand<int>> const survivor = counter->Command();
    counter.reset();
    EXPECT_NO_THROW(survivor->Execute(3)) << "a command that outlived its owner must do nothing";
}

TEST_F(OwnerGuard, DestructorWaitsForAnActionRunningOnAnotherThread)
{
    HeldCallback held;
    auto counter = std::make_unique<Counter>(nullptr, [&] { held.Hold(); });
    std::shared_ptr<ICommand<int>> const command = counter->Command();
    held.ExpectDestroyWaits([&] { command->Execute(1); }, [&] { counter.reset(); });
    EXPECT_NO_THROW(command->Execute(1)) << "an action started after the owner's destruction";
    EXPECT_EQ(1, held.Calls());
}

TEST_F(OwnerGuard, CloseFromInsideTheGuardsOwnCallDoesNotWaitForItself)
{
    COwnerGuard guard;
    guard.Open();
    std::atomic<bool> closed{false};
    ScopedThread thread([&] {
        guard.Run([&] {
            guard.Close();
            closed.store(true);
        });
    });
    EXPECT_TRUE(Eventually([&] { return closed.load(); }, 5s)) << "Close waited for its own thread's call";
    thread.Join();
    EXPECT_FALSE(guard.Run([] {})) << "a closed guard admitted a call";
}

namespace
{
/// An owner held through its shared pointer, following a property; `onChange` runs inside its callback.
class Follower final : public IGuardedOwner
{
public:
    Follower(TProperty<int> const& source, std::function<void()> onChange, std::atomic<bool>& destroyed)
        : m_onChange(std::move(onChange)), m_destroyed(destroyed)
    {
        m_guard.Open();
        m_observer = Binding::TValueStreamObserver<int>(
            source, BindToOwner(m_guard, *this, [](Follower& self, int value) {
                self.m_seen = value;
                self.m_onChange();
                // Still whole: the call holds the owner.
                EXPECT_FALSE(self.m_destroyed.load());
                EXPECT_EQ(value, self.m_seen);
            }));
    }
    ~Follower() override
    {
        m_guard.Close();
        m_observer.Reset();
        m_destroyed = true;
    }
    COwnerGuard& GetOwnerGuard() noexcept override { return m_guard; }

private:
    COwnerGuard m_guard;
    std::function<void()> m_onChange;
    std::atomic<bool>& m_destroyed;
    int m_seen = 0;
    Binding::CObserver m_observer;
};
} // namespace

TEST_F(OwnerGuard, AHeldOwnerReleasedInsideItsOwnCallbackDiesAfterTheDelivery)
{
    CSilentChangeOwner changeOwner;
    TProperty<int> source(0, changeOwner);
    std::atomic<bool> destroyed{false};
    std::shared_ptr<Follower> owner;
    owner = std::make_shared<Follower>(source, [&] { owner.reset(); }, destroyed);
    HoldDuringBoundCalls(owner);
    source.Set(1);
    EXPECT_FALSE(owner) << "the callback did not run";
    EXPECT_TRUE(destroyed.load()) << "not destroyed once the delivery was over";
}
