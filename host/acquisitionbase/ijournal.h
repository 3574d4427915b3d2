#pragma once
// The acquisition journal: what ran, in which order and for how long. Commands record every execution
// and models bracket their work with reports, so a host can reconstruct a session.
#include "host/orx2hostexport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Base
{
/// Identifies one journal owner (a command, a model). Created by IJournal::CreateHandle and shared by
/// everything the owner records. Immutable; thread-safe.
class ORX2_HOST_EXPORT CJournalHandle
{
public:
    /// `id` is chosen by the journal that creates the handle. Throws std::bad_alloc.
    CJournalHandle(std::wstring ownerName, std::uint64_t id);
    ~CJournalHandle();
    CJournalHandle(CJournalHandle const&) = delete;
    CJournalHandle& operator=(CJournalHandle const&) = delete;

    /// The name the owner gave when the handle was created.
    std::wstring const& GetOwnerName() const noexcept { return m_ownerName; }
    /// The identifier the creating journal assigned; unique within that journal.
    std::uint64_t GetId() const noexcept { return m_id; }

private:
    std::wstring m_ownerName;
    std::uint64_t m_id;
};

class IJournal;

/// An open report: the journal records its opening when it is created and its closing when it is
/// destroyed or Close() is called. Move-only. Reports may nest and overlap freely. It keeps its
/// journal alive, so it may outlive a SetJournal() replacement. Not thread-safe itself (one owner).
class ORX2_HOST_EXPORT CJournalReport
{
public:
    /// A report that is not open and records nothing.
    CJournalReport() noexcept = default;
    /// Made by journals: an open report that will close through `journal->CloseReport(handle, reportId)`.
    /// A null `journal` gives a report that is not open.
    CJournalReport(std::shared_ptr<IJournal> journal, std::shared_ptr<CJournalHandle> handle,
                   std::uint64_t reportId) noexcept;
    ~CJournalReport();
    /// Takes over what `other` holds.
    CJournalReport(CJournalReport&& other) noexcept = default;
    /// Closes this report, then takes over `other`'s.
    CJournalReport& operator=(CJournalReport&& other) noexcept;
    CJournalReport(CJournalReport const&) = delete;
    CJournalReport& operator=(CJournalReport const&) = delete;

    /// True until closed (or moved from).
    bool IsOpen() const noexcept { return m_journal != nullptr; }
    /// Closes the report now; later calls and the destructor then do nothing. Never throws.
    void Close() noexcept;

private:
    std::shared_ptr<IJournal> m_journal;
    std::shared_ptr<CJournalHandle> m_handle;
    std::uint64_t m_reportId = 0;
};

/// Records what commands and models do. Implementations must be thread-safe: every command execution
/// calls Report() from whatever thread it runs on. Journals are owned by std::shared_ptr (reports hold
/// their journal through shared_from_this()).
class ORX2_HOST_EXPORT IJournal : public std::enable_shared_from_this<IJournal>
{
public:
    virtual ~IJournal();
    IJournal(IJournal const&) = delete;
    IJournal& operator=(IJournal const&) = delete;

    /// Creates the handle through which `ownerName` records; called once per owner, at its construction.
    /// May allocate; throws std::bad_alloc.
    virtual std::shared_ptr<CJournalHandle> CreateHandle(std::wstring const& ownerName) = 0;

    /// Records that `handle`'s owner starts a piece of work and returns the report that records its end.
    /// This is on the hot path of every command execution: implementations should neither allocate nor
    /// block for long. Should not throw. Discarding the report would record the work as over at once.
    [[nodiscard]] virtual CJournalReport Report(std::shared_ptr<CJournalHandle> const& handle) = 0;

protected:
    IJournal() = default;

    /// Records the end of the report `reportId` that Report() opened for `handle`. Called exactly once per
    /// open report, from the thread that closes it. Must not throw.
    virtual void CloseReport(std::shared_ptr<CJournalHandle> const& handle,
                             std::uint64_t reportId) noexcept = 0;

    friend class CJournalReport;
};

/// The journal of the process: the one installed by SetJournal(), else a CMemoryJournal created on first
/// use. The reference stays valid until the journal is replaced; replace it only while nothing records
/// (at start-up, between tests). Thread-safe.
ORX2_HOST_EXPORT IJournal& GetJournal();

/// Installs `journal` as the journal of the process; empty restores the default one. Reports that are
/// open in the previous journal still close there. Thread-safe.
ORX2_HOST_EXPORT void SetJournal(std::shared_ptr<IJournal> journal);
} // namespace Base
