#include "base/orx2basepool/eareaitems.h"

#include <array>

namespace Base
{
std::wstring GetAreaName(EAreaItems area)
{
    // Indexed by value + 1, so that Undefined (-1) is the first entry and ItemCount (14) the last.
    static constexpr std::array<wchar_t const*, kAreaItemCount + 2> kNames = {
        L"Undefined",       L"LowerJaw",       L"UpperJaw",         L"BuccalReg",
        L"BiogenRefLower",  L"BiogenRefUpper", L"GingivaMaskLower", L"GingivaMaskUpper",
        L"PreOpLower",      L"PreOpUpper",     L"BiteLower",        L"BiteUpper",
        L"ArticulationReg", L"ScanbodyLower",  L"ScanbodyUpper",    L"ItemCount"};
    auto const position = static_cast<std::int64_t>(area) + 1;
    if (position < 0 || position >= static_cast<std::int64_t>(kNames.size()))
        return std::wstring();
    return kNames[static_cast<std::size_t>(position)];
}
} // namespace Base
