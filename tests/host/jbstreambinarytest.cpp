#include "host/foundation/jbarray.h"
#include "host/foundation/jbstreamreadbinarybuffer.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "host/foundation/orxexception.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
TEST(HostBinaryBuffer, ArrayCopiesDeeplyAndMovesOut)
{
    int const values[] = {1, 2, 3};
    JbArray<int> array(values, 3);
    JbArray<int> copy = array;
    copy[0] = 9;
    EXPECT_EQ(array[0], 1);
    JbArray<int> const moved = std::move(array);
    EXPECT_EQ(array.GetSize(), 0U); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(moved.GetSize(), 3U);
    EXPECT_EQ(moved[2], 3);
    EXPECT_EQ(JbArray<int>(4)[3], 0) << "sized arrays are value-initialized";
}

TEST(HostBinaryBuffer, ReadBufferRefusesShortReadsWithoutConsuming)
{
    JbStreamWriteBinaryBuffer writer;
    unsigned char const bytes[] = {1, 2, 3};
    writer.Write(bytes, sizeof bytes);
    writer.Write(nullptr, 0);
    ASSERT_EQ(writer.GetSize(), 3U);

    auto const shared = std::make_shared<JbArray<unsigned char> const>(writer.GetData(), writer.GetSize());
    JbStreamReadBinaryBuffer reader(shared);
    unsigned char target[4] = {};
    EXPECT_THROW(reader.Read(target, 4), OrxException);
    EXPECT_EQ(reader.GetRemaining(), 3U);
    reader.Read(target, 2);
    EXPECT_EQ(target[1], 2);
    EXPECT_EQ(reader.GetRemaining(), 1U);
    EXPECT_EQ(JbStreamReadBinaryBuffer(nullptr).GetRemaining(), 0U);
}
} // namespace
