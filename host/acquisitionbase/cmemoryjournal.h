#pragma once
// The default journal: the most recent records kept in memory for inspection.
#include "host/acquisitionbase/ijournal.h"
#include "host/orx2hostexport.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Base
{
/// Whether a record marks the start or the end of a report.
enum class EJournalRecordKind
{
    Opened,
    Closed
};

/// One entry of a CMemoryJournal.
struct SJournalRecord
{
    /// Position in the journal's history, counting from 0, including records no longer kept.
    std::uint64_t sequence = 0;
    /// The sequence of the Opened record of the report this record belongs to.
    std::uint64_t reportId = 0;
    /// The handle of the report's owner (its name is read from it when the record is shown).
    std::shared_ptr<CJournalHandle> handle;
    EJournalRecordKind kind = EJournalRecordKind::Opened; ///< Whether the record opens or closes its report.
};

/// Keeps the last `capacity` records in a ring allocated at construction, so that recording neither
/// allocates nor formats: a record stores the owner's handle, not a copy of its name. Each recording
/// takes one short lock. Must be owned by a std::shared_ptr (reports keep it alive). Thread-safe.
class ORX2_HOST_EXPORT CMemoryJournal : public IJournal
{
public:
    static constexpr std::size_t kDefaultCapacity = 1024; ///< The number of records kept when none is given.

    /// A capacity of 0 is taken as 1. Throws std::bad_alloc.
    explicit CMemoryJournal(std::size_t capacity = kDefaultCapacity);
    ~CMemoryJournal() override;

    /// A handle with a fresh id. Throws std::bad_alloc.
    std::shared_ptr<CJournalHandle> CreateHandle(std::wstring const& ownerName) override;
    /// Records an Opened record; allocates nothing. Throws std::bad_weak_ptr when this journal is not
    /// owned by a std::shared_ptr (then nothing is recorded).
    [[nodiscard]] CJournalReport Report(std::shared_ptr<CJournalHandle> const& handle) override;

    /// The kept records, oldest first: at most the capacity, none from before the last Clear().
    /// Throws std::bad_alloc.
    std::vector<SJournalRecord> GetRecords() const;
    /// The number of records ever made, including those no longer kept.
    std::uint64_t GetRecordCount() const;
    /// Reports opened and not yet closed.
    std::size_t GetOpenReportCount() const;
    /// The number of records kept at most.
    std::size_t GetCapacity() const noexcept { return m_ring.size(); }
    /// Forgets the kept records (releasing their handles); counts and open reports are unaffected.
    void Clear();

protected:
    void CloseReport(std::shared_ptr<CJournalHandle> const& handle, std::uint64_t reportId) noexcept override;

private:
    std::uint64_t Append(std::shared_ptr<CJournalHandle> const& handle, EJournalRecordKind kind,
                         std::uint64_t reportId) noexcept;

    mutable std::mutex m_mutex;
    std::vector<SJournalRecord> m_ring;
    std::uint64_t m_recordCount = 0;
    std::uint64_t m_firstKept = 0;
    std::size_t m_openReports = 0;
    std::atomic<std::uint64_t> m_nextHandleId{1};
};
} // namespace Base
