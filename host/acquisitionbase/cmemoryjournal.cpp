#include "host/acquisitionbase/cmemoryjournal.h"

#include <algorithm>

namespace Base
{
CMemoryJournal::CMemoryJournal(std::size_t capacity) : m_ring(std::max<std::size_t>(capacity, 1)) {}

CMemoryJournal::~CMemoryJournal() = default;

std::shared_ptr<CJournalHandle> CMemoryJournal::CreateHandle(std::wstring const& ownerName)
{
    return std::make_shared<CJournalHandle>(ownerName,
                                            m_nextHandleId.fetch_add(1, std::memory_order_relaxed));
}

CJournalReport CMemoryJournal::Report(std::shared_ptr<CJournalHandle> const& handle)
{
    std::shared_ptr<IJournal> self = shared_from_this();
    std::uint64_t const reportId = Append(handle, EJournalRecordKind::Opened, 0);
    return CJournalReport(std::move(self), handle, reportId);
}

void CMemoryJournal::CloseReport(std::shared_ptr<CJournalHandle> const& handle,
                                 std::uint64_t reportId) noexcept
{
    Append(handle, EJournalRecordKind::Closed, reportId);
}

std::uint64_t CMemoryJournal::Append(std::shared_ptr<CJournalHandle> const& handle, EJournalRecordKind kind,
                                     std::uint64_t reportId) noexcept
{
    // Declared before the lock so that a handle whose last reference was the overwritten record is
    // destroyed (and its name freed) after the lock is released.
    std::shared_ptr<CJournalHandle> evicted;
    std::lock_guard<std::mutex> const lock(m_mutex);
    std::uint64_t const sequence = m_recordCount++;
    SJournalRecord& slot = m_ring[sequence % m_ring.size()];
    evicted = std::move(slot.handle);
    slot.sequence = sequence;
    slot.reportId = kind == EJournalRecordKind::Opened ? sequence : reportId;
    slot.handle = handle;
    slot.kind = kind;
    if (kind == EJournalRecordKind::Opened)
    {
        ++m_openReports;
    }
    else
    {
        --m_openReports;
    }
    return sequence;
}

std::vector<SJournalRecord> CMemoryJournal::GetRecords() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    std::uint64_t const capacity = m_ring.size();
    std::uint64_t const first =
        std::max(m_firstKept, m_recordCount > capacity ? m_recordCount - capacity : 0);
    std::vector<SJournalRecord> records;
    records.reserve(static_cast<std::size_t>(m_recordCount - first));
    for (std::uint64_t sequence = first; sequence < m_recordCount; ++sequence)
    {
        records.push_back(m_ring[sequence % capacity]);
    }
    return records;
}

std::uint64_t CMemoryJournal::GetRecordCount() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_recordCount;
}

std::size_t CMemoryJournal::GetOpenReportCount() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_openReports;
}

void CMemoryJournal::Clear()
{
    std::vector<SJournalRecord> released(m_ring.size());
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_ring.swap(released);
    m_firstKept = m_recordCount;
}
} // namespace Base
