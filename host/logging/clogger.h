#pragma once
// Channel loggers of the host logging library: a process-wide level threshold and a replaceable sink.
#include "host/orx2hostexport.h"

#include <atomic>
#include <cstdarg>
#include <functional>
#include <string>

namespace Logging
{
/// Log levels; a message is written when its level is at least the threshold. kLogLevelOff as a
/// threshold disables everything and is not a level to write at.
constexpr int kLogLevelTrace = 0;
constexpr int kLogLevelDebug = 1;
constexpr int kLogLevelInfo = 2;
constexpr int kLogLevelWarning = 3;
constexpr int kLogLevelError = 4;
constexpr int kLogLevelOff = 5;

/// One message as handed to the sink.
struct SLogRecord
{
    std::wstring channel; ///< The logger's channel.
    int level = kLogLevelInfo; ///< The message's level.
    std::string file; ///< The source file, relative to the tree.
    int line = 0; ///< The source line.
    std::string function; ///< The function, written out qualified.
    std::wstring message; ///< The formatted message.
};

/// Receives every written message. Called on the logging thread, outside any lock of this library, so
/// it may log itself (mind recursion) and must be thread-safe when several threads log.
using LogSink = std::function<void(SLogRecord const&)>;

/// Sets the process-wide threshold; values outside kLogLevelTrace..kLogLevelOff are clamped.
/// Thread-safe; loggers see the change on their next call.
ORX2_HOST_EXPORT void SetLogLevelThreshold(int level);
/// The process-wide threshold. Until set, it is the value of the environment variable ORX2_LOG_LEVEL
/// when that is a number 0..5 at the first use of logging, else kLogLevelOff. Thread-safe.
ORX2_HOST_EXPORT int GetLogLevelThreshold();
/// Installs `sink` and returns the one it replaces (empty when that was the default). An empty `sink`
/// restores the default, which writes one UTF-8 line per message to stderr. A sink being called on
/// another thread may still be called once after it was replaced. Thread-safe.
ORX2_HOST_EXPORT LogSink SetLogSink(LogSink sink);

/// A named source of log messages, typically a static object of a library. Usable from static
/// constructors and destructors of any library: the shared state is created on first use and never
/// destroyed. Thread-safe.
class ORX2_HOST_EXPORT CLogger
{
public:
    /// `channel` names the source in every record; nullptr gives an empty name. Throws std::bad_alloc.
    explicit CLogger(wchar_t const* channel);
    ~CLogger();
    CLogger(CLogger const&) = delete;
    CLogger& operator=(CLogger const&) = delete;

    /// The channel name given at construction.
    std::wstring const& GetChannel() const noexcept { return m_channel; }

    /// True when a message at `level` would be written: one relaxed atomic load, cheap enough to guard
    /// expensive argument preparation. Levels outside kLogLevelTrace..kLogLevelError are never enabled.
    bool IsLogLevelEnabled(int level) const noexcept
    {
        return level >= m_threshold->load(std::memory_order_relaxed) && level >= kLogLevelTrace &&
               level < kLogLevelOff;
    }

    /// Writes at kLogLevelInfo. See Log().
    void Info(char const* file, int line, char const* function, wchar_t const* format, ...) const;

    /// When `level` is enabled, formats `format` with the arguments as JbFormatWide does and hands the
    /// record to the sink; otherwise returns without reading the arguments. Never throws: failures
    /// (including exceptions from the sink) drop the message.
    void Log(int level, char const* file, int line, char const* function, wchar_t const* format, ...) const;

private:
    void Write(int level, char const* file, int line, char const* function, wchar_t const* format,
               va_list args) const noexcept;

    std::wstring m_channel;
    std::atomic<int> const* m_threshold;
};
} // namespace Logging
