// The journal as the library uses it: handles naming their owner, reports that record their opening
// and closing (nested, moved).
#include "host/acquisitionbase/cmemoryjournal.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Base::CJournalReport;
using Base::CMemoryJournal;
using Base::EJournalRecordKind;
using Base::SJournalRecord;

TEST(HostJournal, NestedAndMovedReportsRecordTheirOpeningAndClosingOnce)
{
    auto const journal = std::make_shared<CMemoryJournal>();
    auto const handle = journal->CreateHandle(L"Model");
    {
        CJournalReport const outer = journal->Report(handle);
        CJournalReport const inner = journal->Report(handle);
        EXPECT_EQ(journal->GetOpenReportCount(), 2U);
    }
    EXPECT_EQ(journal->GetOpenReportCount(), 0U);
    std::vector<SJournalRecord> const records = journal->GetRecords();
    ASSERT_EQ(records.size(), 4U);
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        EXPECT_EQ(records[index].kind, index < 2 ? EJournalRecordKind::Opened : EJournalRecordKind::Closed);
        EXPECT_EQ(records[index].sequence, index);
        EXPECT_EQ(records[index].handle, handle) << "the handle itself is stored, not a copy";
    }
    EXPECT_EQ(records[2].reportId, records[1].sequence) << "the inner report closes first";
    EXPECT_EQ(records[3].reportId, records[0].sequence);

    // A moved report closes exactly once, also in a ring of one record.
    auto const ring = std::make_shared<CMemoryJournal>(0); // taken as 1: the ring still works
    CJournalReport first = ring->Report(handle);
    CJournalReport moved = std::move(first);
    EXPECT_FALSE(first.IsOpen()); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    CJournalReport target = ring->Report(handle);
    target = std::move(moved); // closes what target held
    EXPECT_EQ(ring->GetOpenReportCount(), 1U);
    target.Close();
    target.Close();
    EXPECT_FALSE(target.IsOpen());
    EXPECT_EQ(ring->GetOpenReportCount(), 0U);
    EXPECT_EQ(ring->GetRecordCount(), 4U);
    EXPECT_EQ(ring->GetRecords().size(), 1U);
}

} // namespace
