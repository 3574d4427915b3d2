#include "simtext.h"

#include "host/foundation/jbstringconversion.h"

namespace Orx2Sim
{
std::string Narrow(std::wstring_view text)
{
    return JbNarrowUtf8(text);
}

std::wstring Widen(std::string_view text)
{
    return JbWidenUtf8(text);
}

std::vector<Base::EAreaItems> const& RealAreas()
{
    static std::vector<Base::EAreaItems> const areas = []
    {
        std::vector<Base::EAreaItems> all;
        for (std::size_t index = 0; index < Base::kAreaItemCount; ++index)
            all.push_back(static_cast<Base::EAreaItems>(index));
        return all;
    }();
    return areas;
}

std::string AreaText(Base::EAreaItems area)
{
    std::string const name = Narrow(Base::GetAreaName(area));
    return name.empty() ? std::to_string(static_cast<int>(area)) : name;
}

std::optional<Base::EAreaItems> ParseArea(std::string_view name)
{
    for (Base::EAreaItems const area : RealAreas())
        if (AreaText(area) == name)
            return area;
    return std::nullopt;
}

std::string Join(std::vector<std::string> const& items, std::string_view separator)
{
    std::string joined;
    for (std::size_t index = 0; index < items.size(); ++index)
    {
        if (index != 0)
            joined += separator;
        joined += items[index];
    }
    return joined;
}
} // namespace Orx2Sim
