#pragma once
#include "host/foundation/orxexception.h"
#include "host/logging/clogger.h"

#include <type_traits>

namespace Base
{
/// Where the throws and log lines of one source file come from: its path relative to the sources,
/// without extension ("businesslayer/common/ccommoncommands"). Each source file that throws or logs
/// holds one constant of this type, and every throw and log line of the file goes through it, with the
/// function name spelled qualified ("BusinessLayer::CCommonCommands::GetLastReentryDelay", never a bare
/// `__func__`) and the line either `__LINE__` or a named constant where the line is fixed by contract.
///
/// Formats are wide printf-style formats as `ThrowOrxException` and `Logging::CLogger::Info` take them
/// (`%s` a `wchar_t const*`); arguments must be arithmetic values or pointers (checked at compile time; cast enumerations), so a
/// string object cannot slip into the varargs. Thread-safe; usable in static initialisation.
class CSourceFile
{
public:
    /// A file at `path` (a literal: the pointer is kept).
    constexpr explicit CSourceFile(char const* path) noexcept : m_path(path) {}

    /// The path given.
    constexpr char const* GetPath() const noexcept { return m_path; }

    /// Throws OrxException(path, line, function, message formatted from `format` and `args`).
    template <class... Args>
    [[noreturn]] void Throw(int line, char const* function, wchar_t const* format, Args... args) const
    {
        static_assert((IsVarargSafe<Args>() && ...), "pass strings as c_str()/GetString() pointers");
        ThrowOrxException(m_path, line, function, format, args...);
    }

    /// Writes one information line (level 2) to `logger` when that level is enabled; otherwise reads no
    /// argument. Never throws.
    template <class... Args>
    void Log(Logging::CLogger const& logger, int line, char const* function, wchar_t const* format,
             Args... args) const noexcept
    {
        static_assert((IsVarargSafe<Args>() && ...), "pass strings as c_str()/GetString() pointers");
        if (logger.IsLogLevelEnabled(Logging::kLogLevelInfo))
            logger.Info(m_path, line, function, format, args...);
    }

private:
    template <class T>
    static constexpr bool IsVarargSafe() noexcept
    {
        return std::is_arithmetic_v<T> || std::is_pointer_v<T> ||
               std::is_null_pointer_v<T>;
    }

    char const* m_path;
};
} // namespace Base
