#include "host/logging/clogger.h"

#include "host/foundation/jbformat.h"
#include "host/foundation/jbstringconversion.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace Logging
{
namespace
{
int ReadThresholdFromEnvironment()
{
    // NOLINTNEXTLINE(concurrency-mt-unsafe): read once, in static initialisation, before any thread
    char const* const text = std::getenv("ORX2_LOG_LEVEL");
    if (text == nullptr || *text == 0)
    {
        return kLogLevelOff;
    }
    char* end = nullptr;
    long const value = std::strtol(text, &end, 10);
    if (*end != 0 || value < kLogLevelTrace || value > kLogLevelOff)
    {
        return kLogLevelOff;
    }
    return static_cast<int>(value);
}

struct SLoggingState
{
    std::atomic<int> threshold{ReadThresholdFromEnvironment()};
    std::mutex sinkMutex;
    std::shared_ptr<LogSink const> sink; // null: the default sink
};

// Created on first use and never destroyed: loggers are static objects of many libraries, and may be
// constructed or used before this library's statics are initialized or after they are destroyed.
SLoggingState& GetState()
{
    static auto* const state = new SLoggingState();
    return *state;
}

char const* LevelName(int level)
{
    static constexpr char const* kNames[] = {"TRACE", "DEBUG", "INFO", "WARNING", "ERROR"};
    return level >= kLogLevelTrace && level < kLogLevelOff ? kNames[level] : "?";
}

void WriteToStandardError(SLogRecord const& record)
{
    std::string const line = "[" + JbNarrowUtf8(record.channel) + "] " + LevelName(record.level) + ": " +
                             JbNarrowUtf8(record.message) + " (" + record.file + ":" +
                             std::to_string(record.line) + " " + record.function + ")\n";
    // One write per line keeps lines of concurrent threads from interleaving.
    std::fwrite(line.data(), 1, line.size(), stderr);
}
} // namespace

void SetLogLevelThreshold(int level)
{
    GetState().threshold.store(std::clamp(level, kLogLevelTrace, kLogLevelOff), std::memory_order_relaxed);
}

int GetLogLevelThreshold()
{
    return GetState().threshold.load(std::memory_order_relaxed);
}

LogSink SetLogSink(LogSink sink)
{
    std::shared_ptr<LogSink const> replacement =
        sink ? std::make_shared<LogSink const>(std::move(sink)) : nullptr;
    SLoggingState& state = GetState();
    {
        std::lock_guard<std::mutex> const lock(state.sinkMutex);
        state.sink.swap(replacement);
    }
    return replacement ? *replacement : LogSink();
}

CLogger::CLogger(wchar_t const* channel)
    : m_channel(channel != nullptr ? channel : L""), m_threshold(&GetState().threshold)
{
}

CLogger::~CLogger() = default;

void CLogger::Info(char const* file, int line, char const* function, wchar_t const* format, ...) const
{
    va_list args;
    va_start(args, format);
    JbVaListEnd const end(args);
    Write(kLogLevelInfo, file, line, function, format, args);
}

void CLogger::Log(int level, char const* file, int line, char const* function, wchar_t const* format,
                  ...) const
{
    va_list args;
    va_start(args, format);
    JbVaListEnd const end(args);
    Write(level, file, line, function, format, args);
}

void CLogger::Write(int level, char const* file, int line, char const* function, wchar_t const* format,
                    va_list args) const noexcept
{
    if (!IsLogLevelEnabled(level))
    {
        return;
    }
    try
    {
        SLogRecord const record{m_channel,
                                level,
                                file != nullptr ? file : "",
                                line,
                                function != nullptr ? function : "",
                                JbFormatWideV(format, args)};
        SLoggingState& state = GetState();
        std::shared_ptr<LogSink const> sink;
        {
            std::lock_guard<std::mutex> const lock(state.sinkMutex);
            sink = state.sink;
        }
        if (sink)
        {
            (*sink)(record);
        }
        else
        {
            WriteToStandardError(record);
        }
    }
    catch (...)
    {
        // Logging is diagnostics: losing a message beats failing the operation being logged.
    }
}
} // namespace Logging
