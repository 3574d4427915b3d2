#pragma once
// The exception types of the foundation library and the one function every throw goes through.
#include "host/orx2hostexport.h"

#include <exception>
#include <string>

/// Base of every exception the host libraries throw. Carries where it was thrown and a wide message.
/// Thread-safety: immutable after construction; may be read from any thread.
class ORX2_HOST_EXPORT JbException
{
public:
    /// `file` is the source path relative to the sources without extension (for example
    /// "base/orx2basepool/toptional"), `function` the function name as the compiler spells it.
    JbException(std::string file, int line, std::string function, std::wstring message);
    virtual ~JbException();
    /// A copy.
    JbException(JbException const&) = default;
    /// Copies.
    JbException& operator=(JbException const&) = default;

    /// The source file that threw, relative to the tree.
    std::string const& GetFile() const noexcept { return m_file; }
    /// The line that threw.
    int GetLine() const noexcept { return m_line; }
    /// The function that threw.
    std::string const& GetFunction() const noexcept { return m_function; }
    /// The message.
    std::wstring const& GetMessage() const noexcept { return m_message; }

private:
    std::string m_file;
    int m_line;
    std::string m_function;
    std::wstring m_message;
};

/// The exception this library throws. `what()` is the message converted to UTF-8.
class ORX2_HOST_EXPORT OrxException : public JbException, public std::exception
{
public:
    /// An exception thrown at `file`, `line`, `function` with `message` (see JbException).
    OrxException(std::string file, int line, std::string function, std::wstring message);
    ~OrxException() override;
    /// A copy.
    OrxException(OrxException const&) = default;
    /// Copies.
    OrxException& operator=(OrxException const&) = default;

    /// The message converted to UTF-8.
    char const* what() const noexcept override;

private:
    std::string m_narrowMessage;
};

/// Throws OrxException(file, line, function, message). When `format` contains a percent sign it is
/// formatted printf-style with the following arguments as the original wide printf did: `%s` takes a
/// `wchar_t const*`, `%S` and `%hs` a `char const*`, `%c` a wide character, `%I64d`/`%I64u` a 64-bit
/// integer; the result is cut at 8192 wide characters. Without a percent sign the format is the message
/// as it stands and the arguments are ignored.
[[noreturn]] ORX2_HOST_EXPORT void ThrowOrxException(char const* file, int line, char const* function,
                                                     wchar_t const* format, ...);
