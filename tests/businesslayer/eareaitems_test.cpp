#include "base/orx2basepool/eareaitems.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using Base::GetAreaName;

TEST(AreaNames, EveryValueFromUndefinedToItemCountHasItsEnumeratorName)
{
    wchar_t const* const expected[] = {
        L"Undefined",       L"LowerJaw",       L"UpperJaw",         L"BuccalReg",
        L"BiogenRefLower",  L"BiogenRefUpper", L"GingivaMaskLower", L"GingivaMaskUpper",
        L"PreOpLower",      L"PreOpUpper",     L"BiteLower",        L"BiteUpper",
        L"ArticulationReg", L"ScanbodyLower",  L"ScanbodyUpper",    L"ItemCount"};
    for (int value = -1; value <= 14; ++value)
        EXPECT_EQ(expected[value + 1], GetAreaName(static_cast<EAreaItems>(value))) << value;
}

TEST(AreaNames, ValuesOutsideTheEnumerationHaveNoName)
{
    EXPECT_EQ(L"", GetAreaName(static_cast<EAreaItems>(15)));
    EXPECT_EQ(L"", GetAreaName(static_cast<EAreaItems>(-2)));
    EXPECT_EQ(L"", GetAreaName(static_cast<EAreaItems>(INT32_MIN)));
    EXPECT_EQ(L"", GetAreaName(static_cast<EAreaItems>(INT32_MAX)));
}
} // namespace
