#include "host/logging/clogger.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace
{
using Logging::SLogRecord;

/// Captures records for the duration of a test and restores the previous sink and threshold.
class CCapturedLog
{
public:
    explicit CCapturedLog(int threshold) : m_previousThreshold(Logging::GetLogLevelThreshold())
    {
        m_previousSink = Logging::SetLogSink(
            [this](SLogRecord const& record)
            {
                std::lock_guard<std::mutex> const lock(m_mutex);
                m_records.push_back(record);
            });
        Logging::SetLogLevelThreshold(threshold);
    }
    ~CCapturedLog()
    {
        Logging::SetLogLevelThreshold(m_previousThreshold);
        Logging::SetLogSink(m_previousSink);
    }
    CCapturedLog(CCapturedLog const&) = delete;
    CCapturedLog& operator=(CCapturedLog const&) = delete;

    std::vector<SLogRecord> GetRecords() const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return m_records;
    }

private:
    int m_previousThreshold;
    Logging::LogSink m_previousSink;
    mutable std::mutex m_mutex;
    std::vector<SLogRecord> m_records;
};

TEST(HostLogger, ThresholdDecidesWhatIsEnabled)
{
    CCapturedLog const capture(Logging::kLogLevelWarning);
    Logging::CLogger const logger(L"Threshold");
    EXPECT_FALSE(logger.IsLogLevelEnabled(Logging::kLogLevelInfo));
    EXPECT_TRUE(logger.IsLogLevelEnabled(Logging::kLogLevelWarning));
    EXPECT_TRUE(logger.IsLogLevelEnabled(Logging::kLogLevelError));
    EXPECT_FALSE(logger.IsLogLevelEnabled(Logging::kLogLevelOff));
    EXPECT_FALSE(logger.IsLogLevelEnabled(-1));

    Logging::SetLogLevelThreshold(Logging::kLogLevelTrace);
    EXPECT_TRUE(logger.IsLogLevelEnabled(Logging::kLogLevelTrace));
    Logging::SetLogLevelThreshold(99);
    EXPECT_EQ(Logging::GetLogLevelThreshold(), Logging::kLogLevelOff);
    EXPECT_FALSE(logger.IsLogLevelEnabled(Logging::kLogLevelError));
    Logging::SetLogLevelThreshold(-4);
    EXPECT_EQ(Logging::GetLogLevelThreshold(), Logging::kLogLevelTrace);
}

TEST(HostLogger, SinkReceivesFormattedRecords)
{
    CCapturedLog const capture(Logging::kLogLevelInfo);
    Logging::CLogger const logger(L"Acquisition");
    EXPECT_EQ(logger.GetChannel(), L"Acquisition");
    logger.Info("host/test", 12, "Run", L"%s took %d ms (%S)", L"scan", 40, "ok");
    logger.Log(Logging::kLogLevelError, "host/test", 13, "Run", L"no arguments");
    logger.Log(Logging::kLogLevelDebug, "host/test", 14, "Run", L"below the threshold");

    std::vector<SLogRecord> const records = capture.GetRecords();
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[0].channel, L"Acquisition");
    EXPECT_EQ(records[0].level, Logging::kLogLevelInfo);
    EXPECT_EQ(records[0].message, L"scan took 40 ms (ok)");
    EXPECT_EQ(records[0].file, "host/test");
    EXPECT_EQ(records[0].line, 12);
    EXPECT_EQ(records[0].function, "Run");
    EXPECT_EQ(records[1].level, Logging::kLogLevelError);
    EXPECT_EQ(records[1].message, L"no arguments");
}

TEST(HostLogger, NothingIsFormattedUnlessEnabled)
{
    CCapturedLog const capture(Logging::kLogLevelOff);
    Logging::CLogger const logger(L"Quiet");
    // Formatting this would read through an invalid pointer and crash.
    auto const* const poisoned = reinterpret_cast<wchar_t const*>(std::uintptr_t{16});
    logger.Info("f", 1, "g", L"%s", poisoned);
    logger.Log(Logging::kLogLevelError, "f", 1, "g", L"%s", poisoned);
    EXPECT_TRUE(capture.GetRecords().empty());
}

TEST(HostLogger, SinkRunsOutsideTheLockAndThrowingSinksAreContained)
{
    CCapturedLog const capture(Logging::kLogLevelInfo);
    Logging::CLogger const logger(L"Reentrant");
    int calls = 0;
    // A sink that replaces itself would deadlock if it were called under the sink lock.
    Logging::LogSink const previous = Logging::SetLogSink(
        [&calls](SLogRecord const&)
        {
            ++calls;
            Logging::SetLogSink(
                [&calls](SLogRecord const&)
                {
                    ++calls;
                    throw std::runtime_error("sink failure");
                });
        });
    logger.Info("f", 1, "g", L"first");
    EXPECT_NO_THROW(logger.Info("f", 2, "g", L"second"));
    EXPECT_EQ(calls, 2);
    Logging::SetLogSink(previous);
    logger.Info("f", 3, "g", L"third");
    ASSERT_EQ(capture.GetRecords().size(), 1U);
    EXPECT_EQ(capture.GetRecords()[0].message, L"third");
}

TEST(HostLogger, DefaultSinkIsRestoredByAnEmptySink)
{
    CCapturedLog const capture(Logging::kLogLevelInfo);
    Logging::LogSink const captured = Logging::SetLogSink({});
    EXPECT_TRUE(static_cast<bool>(captured));
    testing::internal::CaptureStderr();
    Logging::CLogger(L"Default").Info("host/test", 5, "Fn", L"to %S", "stderr");
    std::string const written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("[Default]"), std::string::npos) << written;
    EXPECT_NE(written.find("to stderr"), std::string::npos) << written;
    EXPECT_NE(written.find("host/test:5"), std::string::npos) << written;
    EXPECT_FALSE(static_cast<bool>(Logging::SetLogSink(captured)));
}

// The threshold is read from the environment at the first use of logging, so each case runs in a freshly
// started copy of this test binary.
void ExpectThresholdFromEnvironment(char const* value, int expected)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (value != nullptr)
    {
        setenv("ORX2_LOG_LEVEL", value, 1);
    }
    else
    {
        unsetenv("ORX2_LOG_LEVEL");
    }
    EXPECT_EXIT(std::_Exit(Logging::GetLogLevelThreshold()), testing::ExitedWithCode(expected), "")
        << "ORX2_LOG_LEVEL=" << (value != nullptr ? value : "(unset)");
}

TEST(HostLoggerDeathTest, ThresholdComesFromTheEnvironment)
{
    char const* const original = std::getenv("ORX2_LOG_LEVEL");
    std::string const saved = original != nullptr ? original : "";
    ExpectThresholdFromEnvironment("2", 2);
    ExpectThresholdFromEnvironment("0", 0);
    ExpectThresholdFromEnvironment("5", 5);
    ExpectThresholdFromEnvironment("6", 5);
    ExpectThresholdFromEnvironment("2x", 5);
    ExpectThresholdFromEnvironment(nullptr, 5);
    if (original != nullptr)
    {
        setenv("ORX2_LOG_LEVEL", saved.c_str(), 1);
    }
}
} // namespace
