#pragma once
// A fresh journal and patient manager for each command test, so records of one test never leak into
// the next. Commands take their journal handle when they are made: make them after SetUp.
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/cmemoryjournal.h"
#include "host/acquisitionbase/cmemorypatientmanager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace Orx2Test
{
class CommandEnvironment : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Base::SetJournal(m_journal);
        Base::SetPatientManager(m_patientManager);
    }
    void TearDown() override
    {
        Base::SetJournal(nullptr);
        Base::SetPatientManager(nullptr);
    }

    /// Journal records of the owner `name` of the given kind.
    std::size_t JournalCount(std::wstring const& name, Base::EJournalRecordKind kind) const
    {
        auto const records = m_journal->GetRecords();
        return static_cast<std::size_t>(std::count_if(records.begin(), records.end(),
                                                      [&](auto const& record) {
                                                          return record.kind == kind && record.handle &&
                                                                 record.handle->GetOwnerName() == name;
                                                      }));
    }

    /// The command registered under `name` as a `Command`; null when there is none (or of another kind).
    template <class Command = Base::ICommandBase>
    static std::shared_ptr<Command> Find(std::wstring const& name)
    {
        return std::dynamic_pointer_cast<Command>(
            JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(name));
    }

    std::vector<Base::SRecordedCommand> Records() const { return m_patientManager->GetRecordedCommands(); }

    std::shared_ptr<Base::CMemoryJournal> const m_journal = std::make_shared<Base::CMemoryJournal>();
    std::shared_ptr<Base::CMemoryPatientManager> const m_patientManager =
        std::make_shared<Base::CMemoryPatientManager>();
};
} // namespace Orx2Test
