#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "support/arraynotifications.h"
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

// Value and array observers alike.
TEST(Observers, CallbackThatDestroysItsOwnObserverWaitsForItself)
{
    RunBounded("a value and an array callback that reset their own observers", [] {
        TestOwner owner;
        TProperty<int> property(0, owner);
        TArrayProperty<int> array;
        int valueCalls = 0;
        int arrayCalls = 0;
        TValueStreamObserver<int> value;
        TArrayObserver<int> whole;
        value = TValueStreamObserver<int>(property, [&](int) {
            ++valueCalls;
            value.Reset();
        });
        whole = MakeFullArrayObserver(array, [&](std::vector<int> const& values) {
            if (!values.empty() && ++arrayCalls == 1)
                whole.Reset();
        });
        property.Set(1);
        property.Set(2);
        array.Add(1);
        array.Add(2);
        EXPECT_EQ(valueCalls, 1);
        EXPECT_EQ(arrayCalls, 1);
    });
}

TEST(ObserversThreads, DestroyingAnObserverWaitsForItsRunningCallback)
{
    TValueBindingSource<int> source(0);
    TArrayProperty<int> array;
    HeldCallback heldValue, heldArray;
    auto value = std::make_unique<TValueStreamObserver<int>>(source, [&](int) { heldValue.Hold(); });
    auto changes = std::make_unique<TArrayObserver<int>>(
        MakeArrayChangeObserver(array, [&](Note<int> const& n) {
            if (!n.insertedIndices.empty())
                heldArray.Hold();
        }));
    heldValue.ExpectDestroyWaits([&] { source.Set(1); }, [&] { value.reset(); });
    heldArray.ExpectDestroyWaits([&] { array.Add(1); }, [&] { changes.reset(); });
    source.Set(2);
    array.Add(1);
    EXPECT_EQ(heldValue.Calls(), 1);
    EXPECT_EQ(heldArray.Calls(), 1);
}

// The combined source lives while anyone is connected, also after its handle is gone.
TEST(MultiValueSource, CombinesBothInputsNotifiesOnEveryInputNotificationAndOutlivesItsHandle)
{
    TestOwner owner;
    TProperty<bool> a(false, owner);
    TProperty<int> b(1, owner);
    CallSpy<bool, int> spy;
    TValueChangedObserver<bool, int> observer;
    CountSpy streamed; // connected without the current value
    CScopedEventSignalConnection connection;
    {
        TMultiValueBindingSource<bool, int> combined(a, b);
        EXPECT_EQ(combined.GetValue(), std::make_tuple(false, 1));
        observer = TValueChangedObserver<bool, int>(combined, spy.Callback());
        connection = combined.ConnectToValueStream(
            MakeEventSignalHandler<TValueStreamNotification<std::tuple<bool, int>> const&>(
                [&](auto const&) { streamed.Callback()(); }));
    }
    a.Set(true);
    b.Set(2);
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<bool, int>>{{false, 1}, {true, 1}, {true, 2}}));
    EXPECT_EQ(streamed.Count(), 2);
    observer.Reset(); // with the last connection the combined source dies and leaves its inputs
    connection = CScopedEventSignalConnection();
    a.Set(false);
    EXPECT_EQ(spy.Count(), 3u);
    EXPECT_EQ(streamed.Count(), 2);
}
