#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "support/callspy.h"
#include "support/testowner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
template <class T, class F>
CScopedEventSignalConnection ConnectStream(IValueStreamSource<T> const& source, F&& f)
{
    return source.ConnectToValueStream(
        MakeEventSignalHandler<TValueStreamNotification<T> const&>(std::forward<F>(f)));
}
} // namespace

TEST(Property, NewValueFiresOnceInTheDocumentedOrder)
{
    TestOwner owner;
    TProperty<int> property(0, owner);
    CallLog log;
    auto ownerLog = owner.GetPropertyChangedEventSignal().Connect(MakeEventSignalHandler<void>(
        [&] { log.Add("owner PropertyChanged sees " + std::to_string(property.Get())); }));
    auto changed =
        property.ConnectToValueChanged(MakeEventSignalHandler<int const&>(log.Callback("value-changed")));
    auto stream = ConnectStream<int>(property, log.Callback("value-stream"));
    property.Set(3);
    EXPECT_EQ(log.Entries(),
              (std::vector<std::string>{"owner PropertyChanged sees 3", "value-changed", "value-stream"}));
    EXPECT_EQ(owner.Changes(), 1);
    EXPECT_EQ(property.Get(), 3);
}

TEST(Property, NaNFiresOnEverySet)
{
    TestOwner owner;
    TProperty<float> property(0.0f, owner);
    float const nan = std::numeric_limits<float>::quiet_NaN();
    property.Set(nan);
    property.Set(nan);
    EXPECT_EQ(owner.Changes(), 2);
    EXPECT_TRUE(std::isnan(property.Get()));
}

TEST(Property, ExceptionFromHandlerLeavesSetUnlockedWithTheValueStored)
{
    TestOwner owner;
    TProperty<int> property(0, owner);
    bool doThrow = true;
    auto c = property.ConnectToValueChanged(MakeEventSignalHandler<int const&>(
        [&](int)
        {
            if (doThrow)
                throw std::runtime_error("handler");
        }));
    EXPECT_THROW(property.Set(1), std::runtime_error);
    EXPECT_EQ(property.Get(), 1);
    doThrow = false;
    property.Set(2); // would deadlock if a lock had been left held
    EXPECT_EQ(property.Get(), 2);
}

TEST(Property, HandlersReadTheNewValueUnderTheReaderLock)
{
    TestOwner owner;
    TProperty<int> property(0, owner);
    int seen = -1;
    bool tryLockFailedInside = false;
    auto c = property.ConnectToValueChanged(MakeEventSignalHandler<int const&>(
        [&](int)
        {
            seen = property.Get();
            // Readers share: a try-lock succeeds while the setter holds its reader lock.
            tryLockFailedInside = !property.TryLockForReading().owns_lock();
        }));
    property.Set(4);
    EXPECT_EQ(seen, 4);
    EXPECT_FALSE(tryLockFailedInside);
}

TEST(Property, DestructionAnnouncesStatusTwoToObserversStillConnected)
{
    TestOwner owner;
    CallSpy<int, bool> spy;
    TValueObserver<int> observer;
    {
        TProperty<int> property(1, owner);
        observer = TValueObserver<int>(property, [&](TValueStreamNotification<int> const& n)
                                       { spy.Record(n.status, n.value.HasValue()); });
    }
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<int, bool>>{{0, true}, {2, false}}));
    EXPECT_EQ(owner.Changes(), 0);
}
