#include "host/acquisitionbase/acommandbase.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using namespace Base;
using namespace Orx2Test;

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

TEST(CommandBase, ExecutionIdsAreNewOnEveryCallAcrossThreads)
{
    constexpr int kThreads = 4;
    constexpr int kIds = 1000;
    std::vector<std::vector<std::uint32_t>> perThread(kThreads);
    {
        std::vector<ScopedThread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back(
                [&perThread, t]
                {
                    for (int i = 0; i < kIds; ++i)
                        perThread[static_cast<std::size_t>(t)].push_back(CBareCommand::NextId());
                });
    }
    std::set<std::uint32_t> all;
    for (auto const& ids : perThread)
    {
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end())); // increasing as seen by each thread
        all.insert(ids.begin(), ids.end());
    }
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kThreads * kIds));
    EXPECT_EQ(all.count(0U), 0U);
}
