#include "host/foundation/cstringw.h"

#include "host/foundation/jbformat.h"

CStringW& CStringW::operator+=(CStringW const& other)
{
    m_text += other.m_text;
    return *this;
}

CStringW& CStringW::operator+=(wchar_t const* other)
{
    m_text += Safe(other);
    return *this;
}

CStringW& CStringW::operator+=(wchar_t character)
{
    m_text.push_back(character);
    return *this;
}

void CStringW::Format(wchar_t const* format, ...)
{
    va_list args;
    va_start(args, format);
    JbVaListEnd const end(args);
    m_text = JbFormatWideV(format, args);
}
