#pragma once
// Captures what the library logs during a test.
#include "host/logging/clogger.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Orx2Test
{
/// Installs a capturing sink at level 2 (the level the library logs at) for its lifetime and restores
/// the previous sink and threshold afterwards. Records of every channel are kept; filter with
/// `Channel`. Thread-safe.
class LogCapture
{
public:
    LogCapture() : m_previousThreshold(Logging::GetLogLevelThreshold())
    {
        m_previousSink = Logging::SetLogSink(
            [this](Logging::SLogRecord const& record)
            {
                std::lock_guard<std::mutex> const lock(m_mutex);
                m_records.push_back(record);
            });
        Logging::SetLogLevelThreshold(Logging::kLogLevelInfo);
    }
    ~LogCapture()
    {
        Logging::SetLogLevelThreshold(m_previousThreshold);
        Logging::SetLogSink(m_previousSink);
    }
    LogCapture(LogCapture const&) = delete;
    LogCapture& operator=(LogCapture const&) = delete;

    /// The records written on `channel` so far, oldest first.
    std::vector<Logging::SLogRecord> Channel(std::wstring const& channel) const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        std::vector<Logging::SLogRecord> records;
        for (Logging::SLogRecord const& record : m_records)
            if (record.channel == channel)
                records.push_back(record);
        return records;
    }

    /// Every record since construction or the last TakeAll, oldest first; starts collecting afresh.
    std::vector<Logging::SLogRecord> TakeAll()
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return std::exchange(m_records, {});
    }

private:
    int m_previousThreshold;
    Logging::LogSink m_previousSink;
    mutable std::mutex m_mutex;
    std::vector<Logging::SLogRecord> m_records;
};
} // namespace Orx2Test
