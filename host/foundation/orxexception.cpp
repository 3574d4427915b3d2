#include "host/foundation/orxexception.h"

#include "host/foundation/jbformat.h"
#include "host/foundation/jbstringconversion.h"

#include <cstdarg>
#include <cwchar>
#include <utility>

JbException::JbException(std::string file, int line, std::string function, std::wstring message)
    : m_file(std::move(file)), m_line(line), m_function(std::move(function)), m_message(std::move(message))
{
}

JbException::~JbException() = default;

OrxException::OrxException(std::string file, int line, std::string function, std::wstring message)
    : JbException(std::move(file), line, std::move(function), std::move(message)),
      m_narrowMessage(JbNarrowUtf8(GetMessage()))
{
}

OrxException::~OrxException() = default;

char const* OrxException::what() const noexcept
{
    return m_narrowMessage.c_str();
}

void ThrowOrxException(char const* file, int line, char const* function, wchar_t const* format, ...)
{
    std::wstring message;
    if (format != nullptr && std::wcschr(format, L'%') != nullptr)
    {
        va_list args;
        va_start(args, format);
        JbVaListEnd const end(args);
        message = JbFormatWideV(format, args);
    }
    else if (format != nullptr)
    {
        message = format;
    }
    throw OrxException(file != nullptr ? file : "", line, function != nullptr ? function : "",
                       std::move(message));
}
