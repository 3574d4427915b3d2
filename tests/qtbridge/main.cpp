// The bridge's tests run on the main thread of a QCoreApplication, which is their GUI thread.
#include <QCoreApplication>

#include <gtest/gtest.h>

// ThreadSanitizer: Qt is not instrumented, so the hand-over of a queued call's event (allocated by Qt
// on the emitting thread, freed by Qt on the GUI thread after a lock tsan cannot see) would be reported.
// Only the allocations and frees that Qt itself makes are left out; every access of our own code,
// and its locks and atomics, is checked as usual.
extern "C" __attribute__((visibility("default"))) char const* __tsan_default_options()
{
    return "ignore_noninstrumented_modules=1";
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
