#include "base/orx2basepool/cbindingtargetlocking.h"
#include "base/orx2basepool/csharedmutex.h"
#include "support/expectorxexception.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Base;
using namespace Orx2Test;

TEST(SharedMutex, ReadersShareAndExcludeWritersAlsoAfterADowngrade)
{
    CSharedMutex mutex;
    CSharedLock first(mutex);
    CSharedLock second(mutex, std::try_to_lock);
    EXPECT_TRUE(second.owns_lock());
    EXPECT_FALSE(mutex.try_lock());
    first.unlock();
    second.unlock();
    EXPECT_TRUE(mutex.try_lock());
    // While a writer is inside, a reader try-lock fails at once.
    EXPECT_FALSE(CSharedLock(mutex, std::try_to_lock).owns_lock());
    mutex.unlock_and_lock_shared(); // a downgraded writer keeps writers out until it leaves
    EXPECT_FALSE(mutex.try_lock());
    EXPECT_TRUE(CSharedLock(mutex, std::try_to_lock).owns_lock());
    mutex.unlock_shared();
    EXPECT_TRUE(mutex.try_lock());
    mutex.unlock();
}

TEST(SharedMutex, WriterWaitsForReadersAndEveryWaitingWriterGetsIn)
{
    CSharedMutex mutex;
    CSharedLock reader(mutex);
    std::atomic<int> writersDone{0};
    {
        std::vector<ScopedThread> writers;
        for (int i = 0; i < 2; ++i)
            writers.emplace_back([&] {
                std::lock_guard<CSharedMutex> lock(mutex);
                writersDone.fetch_add(1);
            });
        std::this_thread::sleep_for(30ms);
        EXPECT_EQ(writersDone.load(), 0);
        reader.unlock();
        ASSERT_TRUE(Eventually([&] { return writersDone.load() == 2; }));
    }
}

namespace
{
class Target : public Binding::Internal::CBindingTargetLocking
{
};

SExpectedOrxException Destructed(std::string const& function)
{
    return {L"Trying to acquire lock on destructed object", "base/orx2basepool/cbindingtargetlocking", 0,
            "Base::Binding::Internal::CBindingTargetLocking::" + function};
}
} // namespace

TEST(BindingTargetLocking, LocksWorkUntilDestructionBeginsThenThrow)
{
    Target target;
    {
        auto writer = target.Lock();
        EXPECT_TRUE(writer.owns_lock());
    }
    EXPECT_TRUE(target.LockShared().owns_lock());
    EXPECT_TRUE(target.TryLockShared().owns_lock());
    auto lockObject = target.GetTargetLock();
    target.LockForDestruction();
    EXPECT_FALSE(Target::LockIfAlive(*lockObject).owns_lock());
    ExpectOrxException([&] { target.Lock(); }, Destructed("Lock"));
    ExpectOrxException([&] { target.LockShared(); }, Destructed("LockShared"));
    ExpectOrxException([&] { target.TryLockShared(); }, Destructed("TryLockShared"));
    // Nothing was left locked by the throws.
    EXPECT_TRUE(lockObject->mutex.try_lock());
    lockObject->mutex.unlock();
}
