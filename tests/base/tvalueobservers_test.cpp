#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "support/callspy.h"
#include "support/heldcallback.h"
#include "support/testowner.h"

#include <gtest/gtest.h>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

// A property's destruction is announced by its store alone: its owner hears nothing.
TEST(ValueObservers, ChangedAndWholeObserversGetTheValueAtBindingOnlyTheWholeOneSeesTheEnd)
{
    TestOwner owner;
    CallSpy<int> changed, stream;
    CallSpy<int, bool> whole;
    TValueChangedObserver<int> changedObserver;
    TValueStreamObserver<int> streamObserver;
    TValueObserver<int> wholeObserver;
    {
        TProperty<int> property(1, owner);
        changedObserver = TValueChangedObserver<int>(property, changed.Callback());
        streamObserver = TValueStreamObserver<int>(property, stream.Callback());
        wholeObserver = TValueObserver<int>(property, [&](TValueStreamNotification<int> const& n)
                                            { whole.Record(n.status, n.value.HasValue()); });
        property.Set(2);
    }
    EXPECT_EQ(changed.Calls(), (std::vector<std::tuple<int>>{{1}, {2}}));
    EXPECT_EQ(stream.Calls(), (std::vector<std::tuple<int>>{{2}}));
    EXPECT_EQ(whole.Calls(), (std::vector<std::tuple<int, bool>>{{0, true}, {0, true}, {2, false}}));
    EXPECT_EQ(owner.Changes(), 1);
}

TEST(ValueObservers, MoveAssigningANewObserverEndsTheOldBinding)
{
    TValueBindingSource<int> first(0), second(0);
    CallSpy<int> spy;
    TValueChangedObserver<int> member(first, spy.Callback());
    member = TValueChangedObserver<int>(second, spy.Callback());
    spy.Clear();
    first.Set(1);
    EXPECT_EQ(spy.Count(), 0u);
    second.Set(2);
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<int>>{{2}}));
    member.Reset();
    EXPECT_FALSE(member.IsBound());
    second.Set(3);
    EXPECT_EQ(spy.Count(), 1u);
}

// Value, combined and array sources all connect-and-notify through one step, which disconnects again
// when that first call throws.
TEST(ValueObservers, ExceptionFromTheFirstCallbackLeavesNothingConnected)
{
    TValueBindingSource<int> source(1);
    CountSpy later;
    auto bind = [&]
    { TValueChangedObserver<int> observer(source, [](int) { throw std::runtime_error("first"); }); };
    EXPECT_THROW(bind(), std::runtime_error);
    TValueStreamObserver<int> counter(source, [&](int) { later.Callback()(); });
    source.Set(2);
    EXPECT_EQ(later.Count(), 1);
}

TEST(ValueObservers, CallbackThatDestroysItsOwnObserverWaitsForItself)
{
    RunBounded("a callback that resets its own observer", [] {
        TestOwner owner;
        TProperty<int> property(0, owner);
        int calls = 0;
        TValueStreamObserver<int> observer;
        observer = TValueStreamObserver<int>(property, [&](int) {
            ++calls;
            observer.Reset();
        });
        property.Set(1);
        property.Set(2);
        EXPECT_EQ(calls, 1);
    });
}

TEST(ValueObserversThreads, DestroyingAnObserverWaitsForItsRunningCallback)
{
    TValueBindingSource<int> source(0);
    HeldCallback held;
    auto observer = std::make_unique<TValueStreamObserver<int>>(source, [&](int) { held.Hold(); });
    held.ExpectDestroyWaits([&] { source.Set(1); }, [&] { observer.reset(); });
    source.Set(2);
    EXPECT_EQ(held.Calls(), 1);
}

TEST(MultiValueSource, CombinesBothInputsAndNotifiesOnEveryInputNotification)
{
    TestOwner owner;
    TProperty<bool> a(false, owner);
    TProperty<int> b(1, owner);
    TMultiValueBindingSource<bool, int> combined(a, b);
    EXPECT_EQ(combined.GetValue(), std::make_tuple(false, 1));
    CallSpy<bool, int> spy;
    TValueChangedObserver<bool, int> observer(combined, spy.Callback());
    CountSpy streamed; // connected without the current value
    auto connection = combined.ConnectToValueStream(
        MakeEventSignalHandler<TValueStreamNotification<std::tuple<bool, int>> const&>(
            [&](auto const&) { streamed.Callback()(); }));
    a.Set(true);
    b.Set(2);
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<bool, int>>{{false, 1}, {true, 1}, {true, 2}}));
    EXPECT_EQ(streamed.Count(), 2);
}

TEST(MultiValueSource, StaysAliveWhileConnectedAfterItsHandleIsGone)
{
    TValueBindingSource<bool> a(false), b(false);
    CallSpy<bool, bool> spy;
    TValueChangedObserver<bool, bool> observer;
    {
        TMultiValueBindingSource<bool, bool> combined(a, b);
        observer = TValueChangedObserver<bool, bool>(combined, spy.Callback());
    }
    a.Set(true);
    EXPECT_EQ(spy.Last(), std::make_tuple(true, false));
    observer.Reset(); // the last connection goes: the combined source dies and leaves its inputs
    a.Set(false);
    EXPECT_EQ(spy.Count(), 2u);
}
