#include "host/acquisitionbase/ijournal.h"

#include "host/acquisitionbase/cmemoryjournal.h"
#include "host/acquisitionbase/tprocessservice.h"

#include <utility>

namespace Base
{
CJournalHandle::CJournalHandle(std::wstring ownerName, std::uint64_t id)
    : m_ownerName(std::move(ownerName)), m_id(id)
{
}

CJournalHandle::~CJournalHandle() = default;

CJournalReport::CJournalReport(std::shared_ptr<IJournal> journal, std::shared_ptr<CJournalHandle> handle,
                               std::uint64_t reportId) noexcept
    : m_journal(std::move(journal)), m_handle(std::move(handle)), m_reportId(reportId)
{
}

CJournalReport::~CJournalReport()
{
    Close();
}

CJournalReport& CJournalReport::operator=(CJournalReport&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_journal = std::move(other.m_journal);
        m_handle = std::move(other.m_handle);
        m_reportId = other.m_reportId;
    }
    return *this;
}

void CJournalReport::Close() noexcept
{
    if (m_journal)
    {
        // Cleared first, so a journal that closes reports of its own cannot close this one twice.
        std::shared_ptr<IJournal> const journal = std::move(m_journal);
        journal->CloseReport(m_handle, m_reportId);
        m_handle.reset();
    }
}

IJournal::~IJournal() = default;

IJournal& GetJournal()
{
    return GetProcessService<IJournal, CMemoryJournal>().Get();
}

void SetJournal(std::shared_ptr<IJournal> journal)
{
    GetProcessService<IJournal, CMemoryJournal>().Set(std::move(journal));
}
} // namespace Base
