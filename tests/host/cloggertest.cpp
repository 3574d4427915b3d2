// The logger as the library uses it: a channel, a level threshold deciding what is formatted at all,
// and records carrying where they were written.
#include "host/logging/clogger.h"

#include "support/logcapture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
TEST(HostLogger, ThresholdDecidesWhatIsEnabledFormattedAndHandedToTheSink)
{
    Orx2Test::LogCapture capture;
    Logging::CLogger const logger(L"Threshold");
    struct SRow
    {
        int threshold;
        int level;
        bool enabled;
    };
    SRow const rows[] = {{Logging::kLogLevelWarning, Logging::kLogLevelInfo, false},
                         {Logging::kLogLevelWarning, Logging::kLogLevelWarning, true},
                         {Logging::kLogLevelWarning, Logging::kLogLevelError, true},
                         {Logging::kLogLevelWarning, Logging::kLogLevelOff, false},
                         {Logging::kLogLevelWarning, -1, false},
                         {Logging::kLogLevelTrace, Logging::kLogLevelTrace, true},
                         {99, Logging::kLogLevelError, false}, // above Off: taken as Off
                         {-4, Logging::kLogLevelTrace, true}}; // below Trace: taken as Trace
    for (SRow const& row : rows)
    {
        Logging::SetLogLevelThreshold(row.threshold);
        EXPECT_EQ(row.enabled, logger.IsLogLevelEnabled(row.level))
            << "threshold " << row.threshold << ", level " << row.level;
    }
    // Nothing is formatted unless enabled: formatting this would read through an invalid pointer.
    Logging::SetLogLevelThreshold(Logging::kLogLevelOff);
    auto const* const poisoned = reinterpret_cast<wchar_t const*>(std::uintptr_t{16});
    logger.Log(Logging::kLogLevelError, "f", 1, "g", L"%s", poisoned);
    EXPECT_TRUE(capture.TakeAll().empty());

    // The sink receives formatted records at or above the threshold.
    Logging::SetLogLevelThreshold(Logging::kLogLevelInfo);
    logger.Info("host/test", 12, "Run", L"%s took %d ms (%S)", L"scan", 40, "ok");
    logger.Log(Logging::kLogLevelDebug, "host/test", 14, "Run", L"below the threshold");
    std::vector<Logging::SLogRecord> const records = capture.TakeAll();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].level, Logging::kLogLevelInfo);
    EXPECT_EQ(records[0].message, L"scan took 40 ms (ok)");
    // A sink set meanwhile gives the previous one back, which receives again.
    {
        Orx2Test::LogCapture const inner;
        logger.Info("host/test", 16, "Run", L"inner");
    }
    logger.Info("host/test", 17, "Run", L"outer again");
    EXPECT_EQ(1U, capture.TakeAll().size());
}

} // namespace
