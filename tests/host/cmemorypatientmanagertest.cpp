#include "host/acquisitionbase/cmemorypatientmanager.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

namespace
{
using Base::CMemoryPatientManager;
using Base::SRecordedCommand;
using HostTest::CNamedCommand;

TEST(HostPatientManager, RecordsExecutionsForReplay)
{
    CMemoryPatientManager manager;
    Base::ICommandRecorder& recorder = manager.GetCommandRecorder();
    CNamedCommand const scan(L"Scan");
    CNamedCommand const stop(L"Stop");
    recorder.RecordSerializedExecution(scan, 1, {1, 2, 3});
    recorder.RecordSerializedExecution(stop, 1, {});
    recorder.RecordSerializedExecution(scan, 2, {4});
    recorder.RecordExecutionFinished(scan, 1);
    recorder.RecordExecutionFinished(scan, 99); // never recorded: ignored

    std::vector<SRecordedCommand> const records = manager.GetRecordedCommands();
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0].commandName, L"Scan");
    EXPECT_EQ(records[0].executionId, 1U);
    EXPECT_EQ(records[0].argumentBytes, (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_TRUE(records[0].finished);
    EXPECT_EQ(records[1].commandName, L"Stop");
    EXPECT_FALSE(records[1].finished) << "same execution id, other command";
    EXPECT_FALSE(records[2].finished);

    manager.Clear();
    EXPECT_TRUE(manager.GetRecordedCommands().empty());
}
} // namespace
