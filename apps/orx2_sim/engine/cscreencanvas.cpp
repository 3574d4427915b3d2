#include "cscreencanvas.h"

namespace Orx2Sim
{
namespace
{
char const* Escape(EStyle style)
{
    switch (style)
    {
    case EStyle::Heading:
        return "\x1b[1;36m";
    case EStyle::Dim:
        return "\x1b[2m";
    case EStyle::Good:
        return "\x1b[32m";
    case EStyle::Warning:
        return "\x1b[33m";
    case EStyle::Bad:
        return "\x1b[1;31m";
    case EStyle::Strong:
        return "\x1b[1m";
    case EStyle::Selected:
        return "\x1b[7m";
    case EStyle::Plain:
        break;
    }
    return "";
}
} // namespace

CScreenCanvas& CScreenCanvas::Line()
{
    m_lines.emplace_back();
    return *this;
}

CScreenCanvas& CScreenCanvas::Section(std::string_view title)
{
    Line();
    std::string text = "-- " + std::string(title) + " ";
    if (text.size() < kWidth)
        text.append(kWidth - text.size(), '-');
    return Text(text, EStyle::Heading);
}

CScreenCanvas::SLine& CScreenCanvas::Current()
{
    if (m_lines.empty())
        m_lines.emplace_back();
    return m_lines.back();
}

CScreenCanvas& CScreenCanvas::Text(std::string_view text, EStyle style)
{
    SLine& line = Current();
    bool const escaped = m_colour && style != EStyle::Plain && !text.empty();
    if (escaped)
        line.text += Escape(style);
    line.text += text;
    if (escaped)
        line.text += "\x1b[0m";
    line.width += text.size();
    return *this;
}

CScreenCanvas& CScreenCanvas::PadTo(std::size_t column)
{
    SLine& line = Current();
    if (line.width < column)
    {
        line.text.append(column - line.width, ' ');
        line.width = column;
    }
    return *this;
}

CScreenCanvas& CScreenCanvas::Cell(std::string_view text, std::size_t width, EStyle style)
{
    std::string cell(text.substr(0, width));
    cell.resize(width, ' ');
    return Text(cell, style);
}

std::string CScreenCanvas::ToString() const
{
    std::string picture;
    for (SLine const& line : m_lines)
    {
        std::string text = line.text;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        picture += text;
        picture += '\n';
    }
    return picture;
}
} // namespace Orx2Sim
