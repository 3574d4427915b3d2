#include "base/orx2basepool/eareaitems.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
TEST(AreaNames, TheFirstAndLastValuesHaveNamesValuesOutsideHaveNone)
{
    struct SRow
    {
        std::int32_t value;
        wchar_t const* name;
    };
    SRow const rows[] = {{-1, L"Undefined"}, {14, L"ItemCount"}, {-2, L""},
                         {15, L""},          {INT32_MIN, L""},   {INT32_MAX, L""}};
    for (SRow const& row : rows)
        EXPECT_EQ(row.name, Base::GetAreaName(static_cast<Base::EAreaItems>(row.value))) << "value " << row.value;
}
} // namespace
