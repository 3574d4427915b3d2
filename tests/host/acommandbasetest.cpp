#include "host/acquisitionbase/acommandbase.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Base;

namespace
{
/// The smallest complete command: exposes the id source.
class CBareCommand final : public ACommandBase
{
public:
    explicit CBareCommand(std::wstring const& name) : ACommandBase(name) {}
    bool IsSerializable() const override { return false; }
    std::shared_ptr<IAsyncResult<>> Execute(std::vector<unsigned char> const&) override { return nullptr; }
    static std::uint32_t NextId() { return setNextExecutionID(); }
};
} // namespace

TEST(CommandBase, ExecutionIdsAreNewNonZeroAndIncreasing)
{
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < 3; ++i)
        ids.push_back(CBareCommand::NextId());
    EXPECT_NE(ids[0], 0U);
    EXPECT_LT(ids[0], ids[1]);
    EXPECT_LT(ids[1], ids[2]);
}
