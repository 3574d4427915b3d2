#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/callspy.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

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

// Handlers read the new value: the setter holds the reader lock throughout, which readers share.
TEST(Property, NewValueFiresOnceInTheDocumentedOrderUnderTheReaderLock)
{
    TestOwner owner;
    TProperty<int> property(0, owner);
    CallLog log;
    auto ownerLog = owner.GetPropertyChangedEventSignal().Connect(MakeEventSignalHandler<void>(
        [&]
        {
            bool const readable = property.TryLockForReading().owns_lock();
            log.Add("owner PropertyChanged sees " +
                    (readable ? std::to_string(property.Get()) : std::string("a writer lock")));
        }));
    auto changed =
        property.ConnectToValueChanged(MakeEventSignalHandler<int const&>(log.Callback("value-changed")));
    auto stream = ConnectStream<int>(property, log.Callback("value-stream"));
    property.Set(3);
    EXPECT_EQ(log.Entries(),
              (std::vector<std::string>{"owner PropertyChanged sees 3", "value-changed", "value-stream"}));
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

TEST(Property, UpdateNotifiesOnlyWhenTheComputedValueDiffersAndAThrowingHandlerLeavesSetUnlocked)
{
    TestOwner owner;
    TProperty<int> property(3, owner);
    property.Update([](int value) { return value; });
    EXPECT_EQ(owner.Changes(), 0);
    property.Update([](int value) { return value * 2; });
    EXPECT_EQ(property.Get(), 6);
    EXPECT_EQ(owner.Changes(), 1);

    auto c = property.ConnectToValueChanged(MakeEventSignalHandler<int const&>(
        [](int value)
        {
            if (value == 1)
                throw std::runtime_error("handler");
        }));
    EXPECT_THROW(property.Set(1), std::runtime_error);
    EXPECT_EQ(property.Get(), 1); // stored
    property.Set(2);              // would deadlock if a lock had been left held
    EXPECT_EQ(property.Get(), 2);
}

// The fault: a property let go of the shared pointer it replaced under its writer lock. When that was the
// last hold on an object whose destruction waits for its running callback, and the callback reads the
// property (a view model leaving a GUI's slot while the engine notifies it), the setting thread and the
// callback's thread waited for each other for ever.
TEST(Property, AReplacedObjectGoesAfterTheLockSoItsRunningCallbackMayReadTheProperty)
{
    struct SFollower
    {
        SFollower(TProperty<int> const& status, TProperty<std::shared_ptr<SFollower>> const& slot,
                  Gate& entered, Gate& ending)
            : destroying(ending), observer(status,
                                           [&slot, &entered, &ending](int value)
                                           {
                                               if (value == 0) // the binding's first call
                                                   return;
                                               entered.Open();
                                               ending.Wait();
                                               static_cast<void>(slot.Get());
                                           })
        {
        }
        ~SFollower() { destroying.Open(); } // then the observer's end waits for the running callback
        Gate& destroying;
        TValueChangedObserver<int> observer;
    };
    TestOwner owner;
    TProperty<int> status(0, owner);
    TProperty<std::shared_ptr<SFollower>> slot(nullptr, owner);
    Gate entered;
    Gate destroying;
    slot.Set(std::make_shared<SFollower>(status, slot, entered, destroying));
    RunBounded("the replaced object's end and its callback reading the property",
               [&]
               {
                   ScopedThread const engine([&] { status.Set(1); });
                   ASSERT_TRUE(entered.Wait());
                   slot.Set(nullptr); // the last hold goes
               });
    EXPECT_EQ(nullptr, slot.Get());
}
