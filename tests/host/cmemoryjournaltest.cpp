#include "host/acquisitionbase/cmemoryjournal.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
using Base::CJournalReport;
using Base::CMemoryJournal;
using Base::EJournalRecordKind;
using Base::SJournalRecord;

TEST(HostJournal, HandlesCarryTheOwnerAndDistinctIds)
{
    auto const journal = std::make_shared<CMemoryJournal>();
    auto const first = journal->CreateHandle(L"Scan");
    auto const second = journal->CreateHandle(L"Scan");
    EXPECT_EQ(first->GetOwnerName(), L"Scan");
    EXPECT_NE(first->GetId(), second->GetId());
}

TEST(HostJournal, ReportsRecordOpeningAndClosingAndNest)
{
    auto const journal = std::make_shared<CMemoryJournal>();
    auto const handle = journal->CreateHandle(L"Model");
    {
        CJournalReport const outer = journal->Report(handle);
        EXPECT_TRUE(outer.IsOpen());
        {
            CJournalReport const inner = journal->Report(handle);
            EXPECT_EQ(journal->GetOpenReportCount(), 2U);
        }
        EXPECT_EQ(journal->GetOpenReportCount(), 1U);
    }
    EXPECT_EQ(journal->GetOpenReportCount(), 0U);

    std::vector<SJournalRecord> const records = journal->GetRecords();
    ASSERT_EQ(records.size(), 4U);
    EXPECT_EQ(records[0].kind, EJournalRecordKind::Opened);
    EXPECT_EQ(records[1].kind, EJournalRecordKind::Opened);
    EXPECT_EQ(records[2].kind, EJournalRecordKind::Closed);
    EXPECT_EQ(records[2].reportId, records[1].sequence) << "the inner report closes first";
    EXPECT_EQ(records[3].reportId, records[0].sequence);
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        EXPECT_EQ(records[index].sequence, index);
        EXPECT_EQ(records[index].handle, handle) << "the handle itself is stored, not a copy";
    }
}

TEST(HostJournal, MovingAReportClosesItExactlyOnce)
{
    auto const journal = std::make_shared<CMemoryJournal>();
    auto const handle = journal->CreateHandle(L"Command");
    CJournalReport first = journal->Report(handle);
    CJournalReport moved = std::move(first);
    EXPECT_FALSE(first.IsOpen()); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(journal->GetOpenReportCount(), 1U);

    CJournalReport target = journal->Report(handle);
    target = std::move(moved); // closes what target held
    EXPECT_EQ(journal->GetOpenReportCount(), 1U);
    target.Close();
    target.Close();
    EXPECT_FALSE(target.IsOpen());
    EXPECT_EQ(journal->GetOpenReportCount(), 0U);
    EXPECT_EQ(journal->GetRecordCount(), 4U);
    CJournalReport const empty;
    EXPECT_FALSE(empty.IsOpen());
}

TEST(HostJournal, RingKeepsOnlyTheLatestRecords)
{
    auto const journal = std::make_shared<CMemoryJournal>(8);
    EXPECT_EQ(journal->GetCapacity(), 8U);
    std::weak_ptr<Base::CJournalHandle> evicted;
    {
        auto const early = journal->CreateHandle(L"Early");
        evicted = early;
        CJournalReport const report = journal->Report(early);
    }
    auto const handle = journal->CreateHandle(L"Late");
    for (int index = 0; index < 19; ++index)
    {
        CJournalReport const report = journal->Report(handle);
    }
    EXPECT_EQ(journal->GetRecordCount(), 40U);
    std::vector<SJournalRecord> const records = journal->GetRecords();
    ASSERT_EQ(records.size(), 8U);
    EXPECT_EQ(records.front().sequence, 32U);
    EXPECT_EQ(records.back().sequence, 39U);
    EXPECT_TRUE(evicted.expired()) << "overwritten records release their handle";

    journal->Clear();
    EXPECT_TRUE(journal->GetRecords().empty());
    journal->Report(handle).Close();
    ASSERT_EQ(journal->GetRecords().size(), 2U);
    EXPECT_EQ(journal->GetRecords().front().sequence, 40U);
    EXPECT_EQ(std::make_shared<CMemoryJournal>(0)->GetCapacity(), 1U);
}

TEST(HostJournal, RecordingDoesNotAllocate)
{
    auto const journal = std::make_shared<CMemoryJournal>(16);
    auto const handle = journal->CreateHandle(L"Hot path with a name longer than any small-string buffer");
    {
        HostTest::CAllocationProbe const library;
        auto const other = journal->CreateHandle(L"Allocated inside the host library");
        ASSERT_GT(library.GetCount(), 0U) << "the probe must see the library's allocations";
    }
    HostTest::CAllocationProbe const probe;
    for (int index = 0; index < 100; ++index)
    {
        CJournalReport const outer = journal->Report(handle);
        CJournalReport const inner = journal->Report(handle);
    }
    EXPECT_EQ(probe.GetCount(), 0U);
}

TEST(HostJournal, ProcessJournalIsReplaceableAndReportsOutliveTheReplacement)
{
    EXPECT_NE(dynamic_cast<CMemoryJournal*>(&Base::GetJournal()), nullptr);
    auto const installed = std::make_shared<CMemoryJournal>();
    Base::SetJournal(installed);
    EXPECT_EQ(&Base::GetJournal(), installed.get());
    CJournalReport report = Base::GetJournal().Report(installed->CreateHandle(L"Straddling"));
    Base::SetJournal(nullptr);
    EXPECT_NE(&Base::GetJournal(), installed.get());
    report.Close();
    EXPECT_EQ(installed->GetOpenReportCount(), 0U);
    EXPECT_EQ(installed->GetRecordCount(), 2U);
}

TEST(HostJournal, AJournalNotOwnedBySharedPtrRefusesToReport)
{
    CMemoryJournal journal;
    auto const handle = journal.CreateHandle(L"Owner");
    EXPECT_THROW(journal.Report(handle).Close(), std::bad_weak_ptr);
    EXPECT_EQ(journal.GetRecordCount(), 0U);
}

TEST(HostJournal, ConcurrentReportsBalance)
{
    constexpr int kThreads = 8;
    constexpr int kReports = 2000;
    auto const journal = std::make_shared<CMemoryJournal>(64);
    std::vector<std::thread> threads;
    for (int index = 0; index < kThreads; ++index)
    {
        threads.emplace_back(
            [&journal, index]
            {
                auto const handle = journal->CreateHandle(L"Worker" + std::to_wstring(index));
                for (int report = 0; report < kReports; ++report)
                {
                    CJournalReport const outer = journal->Report(handle);
                    CJournalReport const inner = journal->Report(handle);
                }
            });
    }
    for (auto& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(journal->GetOpenReportCount(), 0U);
    EXPECT_EQ(journal->GetRecordCount(), std::uint64_t{kThreads} * kReports * 4);
    std::vector<SJournalRecord> const records = journal->GetRecords();
    ASSERT_EQ(records.size(), 64U);
    for (std::size_t index = 1; index < records.size(); ++index)
    {
        EXPECT_EQ(records[index].sequence, records[index - 1].sequence + 1);
    }
}
} // namespace
