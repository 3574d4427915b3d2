#include "base/orx2basepool/maketransformarraybindingsource.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "host/foundation/orxexception.h"
#include "support/arraynotifications.h"
#include "support/callspy.h"
#include "support/heldcallback.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
using Vec = std::vector<int>;
using K = EArrayRemovalKind;
using Calls = std::vector<std::tuple<Note<int>>>;
} // namespace

// One proxy through its life: bound, rebound, its source destroyed, bound again, destroyed itself.
TEST(ArrayProxy, RebindingTellsAllGoneThenTheNewArrayADestroyedSourceEmptiesItAndItsOwnEndIsAnnounced)
{
    auto proxy = std::make_unique<TArrayBindingSourceProxy<int>>();
    CallSpy<Note<int>> spy;
    TArrayObserver<int> changes = MakeArrayChangeObserver(*proxy, spy.Callback()); // unbound: tells it empty
    TArrayProperty<int> first(Vec{1, 2});
    proxy->Bind(first);
    std::vector<Vec> readInHandler; // reading the proxy from its own notification
    TArrayObserver<int> reader =
        MakeFullArrayObserver(*proxy, [&](Vec const&) { readInHandler.push_back(proxy->GetValues()); });
    {
        TArrayProperty<int> second(Vec{7});
        proxy->Bind(second);
        first.Add(3); // the proxy has left it
        second.Insert(0, 6);
        EXPECT_EQ(proxy->TryGetAt(0).value(), 6);
    }
    EXPECT_EQ(spy.Calls(), (Calls{{Note<int>{}}, {Inserted<int>({0, 1}, {1, 2})}, {Kind<int>(K::All)},
                                  {Inserted<int>({0}, {7})}, {Inserted<int>({0}, {6})},
                                  {Kind<int>(K::All)}}));
    EXPECT_EQ(readInHandler, (std::vector<Vec>{{1, 2}, {}, {7}, {6, 7}, {}}));
    EXPECT_TRUE(proxy->TryGetValues().value().empty() && !proxy->GetAt(0).HasValue());
    TArrayProperty<int> next(Vec{5});
    proxy->Bind(next); // may even reuse the address of the old one
    EXPECT_EQ(proxy->GetValues(), (Vec{5}));

    reader = MakeArrayChangeObserver(*proxy, [raw = proxy.get()](Note<int> const& n) {
        if (n.removalKind == K::SourceDestroyed)
        {
            EXPECT_THROW(raw->GetSize(), OrxException); // the message is checked with the locking itself
        }
    });
    spy.Clear();
    proxy.reset();
    next.Add(2); // the proxy has left the source
    EXPECT_EQ(spy.Calls(), (Calls{{Kind<int>(K::SourceDestroyed)}}));
}

TEST(ArrayProxy, RebindingToAnotherTemporaryTransformTakesEffectTheSameOneDoesNothing)
{
    TArrayProperty<int> a(Vec{1}), b(Vec{2, 3});
    TArrayBindingSourceProxy<std::string> proxy;
    auto text = [](int n) { return std::to_string(n); };
    // Both handles are temporaries, likely at the same address: the proxy must not take them for one.
    proxy.Bind(MakeTransformArrayBindingSource(a, text));
    EXPECT_EQ(proxy.GetValues(), (std::vector<std::string>{"1"}));
    proxy.Bind(MakeTransformArrayBindingSource(b, text));
    EXPECT_EQ(proxy.GetValues(), (std::vector<std::string>{"2", "3"}));
    b.Add(4);
    EXPECT_EQ(proxy.GetAt(2).value(), "4");

    auto kept = MakeTransformArrayBindingSource(a, text);
    proxy.Bind(kept);
    NotificationLog<std::string> log(proxy);
    proxy.Bind(kept); // the same source again: nothing to tell, still forwarded once
    a.Add(5);
    EXPECT_EQ(log.Notes(), (std::vector<Note<std::string>>{Inserted<std::string>({1}, {"5"})}));
}

TEST(ArrayProxy, TheEndOfATransformsInputUnbindsTheProxyAndFreesTheTransform)
{
    auto numbers = std::make_unique<TArrayProperty<int>>(Vec{1, 2});
    auto sentinel = std::make_shared<int>(0);
    std::weak_ptr<int> const watch = sentinel;
    TArrayBindingSourceProxy<std::string> proxy;
    proxy.Bind(MakeTransformArrayBindingSource(*numbers, [sentinel](int n) { return std::to_string(n); }));
    sentinel.reset();
    CallSpy<Note<std::string>> spy;
    TArrayObserver<std::string> observer = MakeArrayChangeObserver(proxy, spy.Callback());
    EXPECT_FALSE(watch.expired()); // the proxy's connection keeps the transform alive
    numbers.reset();
    EXPECT_EQ(spy.Last(), std::make_tuple(Kind<std::string>(K::All)));
    EXPECT_EQ(proxy.GetSize(), 0u);
    EXPECT_TRUE(watch.expired());
}

TEST(ArrayProxyThreads, ANotificationOfTheOldSourceThatLosesTheRaceAgainstBindIsDropped)
{
    TArrayProperty<int> first(Vec{5}), second(Vec{7});
    TArrayBindingSourceProxy<int> proxy;
    proxy.Bind(first);
    Vec mirror;
    TArrayObserver<int> observer = MakeFullArrayObserver(proxy, [&](Vec const& copy) { mirror = copy; });
    // A reader of the proxy holds it while a rebind and a change of the old source queue up behind it:
    // the change was admitted by the old source's fire before the rebind disconnected it.
    Gate entered, release;
    ScopedThread reader([&] {
        auto connection = proxy.ConnectToArrayChangeStreamAndNotify(
            MakeEventSignalHandler<Note<int> const&>([&](Note<int> const& n) {
                if (n.insertedValues != Vec{5})
                    return;
                entered.Open();
                release.Wait();
            }));
    });
    ASSERT_TRUE(entered.Wait());
    ScopedThread binder([&] { proxy.Bind(second); });
    std::this_thread::sleep_for(30ms);
    ScopedThread editor([&] { first.Add(1); });
    std::this_thread::sleep_for(30ms);
    release.Open();
    reader.Join();
    binder.Join();
    editor.Join();
    EXPECT_EQ(proxy.GetValues(), (Vec{7}));
    EXPECT_EQ(mirror, (Vec{7}));
}

TEST(ArrayProxyThreads, DestroyingTheProxyWaitsForANotificationBeingForwarded)
{
    TArrayProperty<int> source;
    auto proxy = std::make_unique<TArrayBindingSourceProxy<int>>();
    proxy->Bind(source);
    HeldCallback held;
    std::vector<K> kinds;
    TArrayObserver<int> observer = MakeArrayChangeObserver(*proxy, [&](Note<int> const& n) {
        kinds.push_back(n.removalKind);
        if (n.insertedValues == Vec{1})
            held.Hold();
    });
    held.ExpectDestroyWaits([&] { source.Add(1); }, [&] { proxy.reset(); });
    source.Add(2); // nobody listens any more
    EXPECT_EQ(kinds, (std::vector<K>{K::None, K::None, K::SourceDestroyed}));
}

namespace
{
/// An element whose destructor asks, without waiting, whether the arrays it lived in can be read: a
/// destructor that runs under a writer lock finds them locked.
struct LockProbe
{
    std::function<bool()> readable;
    int* deathsUnderALock = nullptr;
    ~LockProbe()
    {
        if (!readable())
            ++*deathsUnderALock;
    }
};
using Probe = std::shared_ptr<LockProbe>;
} // namespace

// A thumbnail's destructor waited for its own delivery lock while the host's array held its writer lock
// around the element's death, and the GUI, inside that delivery, waited to read the array.
TEST(ArrayLocks, ElementsLeavingAnArrayDieAfterItsWriterLockIsReleased)
{
    int underALock = 0;
    auto source = std::make_unique<TArrayProperty<Probe>>();
    TArrayProperty<Probe>* raw = source.get();
    auto probe = [&] { return Probe(new LockProbe{[raw] { return raw->TryGetSize().HasValue(); }, &underALock}); };
    for (int i = 0; i < 6; ++i)
        source->Add(probe());
    source->RemoveAt(0);
    source->RemoveRange(0, 2);
    source->SetAt(0, probe());
    source->SetRange(0, {probe(), probe()});
    source->Set({probe()});
    source->Clear();
    source->Set({probe(), probe()});
    source.reset();
    EXPECT_EQ(underALock, 0);

    // A transform makes its own elements; a proxy mirrors them. Removing them from the input frees them
    // through both.
    TArrayProperty<int> numbers(Vec{1, 2, 3});
    TArrayBindingSourceProxy<Probe> proxy;
    IArrayBindingSource<Probe> const* transformRead = nullptr;
    auto const readable = [&] { return proxy.TryGetSize().HasValue() && transformRead->TryGetSize().HasValue(); };
    auto const transform = MakeTransformArrayBindingSource(
        numbers, [&](int) { return Probe(new LockProbe{readable, &underALock}); });
    transformRead = &transform;
    proxy.Bind(transform);
    numbers.SetAt(0, 4);
    numbers.RemoveAt(1);
    numbers.Clear();
    numbers.Set(Vec{5});
    TArrayProperty<Probe> const none;
    proxy.Bind(none); // the proxy's copies go first, the transform's with the input's next change
    numbers.Set(Vec{});
    EXPECT_EQ(underALock, 0);
}
