#include "host/acquisitionbase/ipatientmanager.h"

#include "host/acquisitionbase/cmemorypatientmanager.h"
#include "host/acquisitionbase/tprocessservice.h"

#include "base/orx2basepool/icommandbase.h"

#include <utility>

namespace Base
{
ICommandRecorder::~ICommandRecorder() = default;

IPatientManager::~IPatientManager() = default;

CMemoryPatientManager::CMemoryPatientManager() = default;

CMemoryPatientManager::~CMemoryPatientManager() = default;

void CMemoryPatientManager::RecordSerializedExecution(ICommandBase const& command, std::uint32_t executionId,
                                                      std::vector<unsigned char> const& argumentBytes)
{
    try
    {
        // Built outside the lock: GetName() is the command's code and copying the bytes may be long.
        SRecordedCommand record{command.GetName(), executionId, argumentBytes, false};
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_records.push_back(std::move(record));
    }
    catch (...)
    {
        // A recorder must not fail the execution it records.
    }
}

void CMemoryPatientManager::RecordExecutionFinished(ICommandBase const& command, std::uint32_t executionId)
{
    try
    {
        std::wstring const name = command.GetName();
        std::lock_guard<std::mutex> const lock(m_mutex);
        for (auto record = m_records.rbegin(); record != m_records.rend(); ++record)
        {
            if (!record->finished && record->executionId == executionId && record->commandName == name)
            {
                record->finished = true;
                return;
            }
        }
    }
    catch (...)
    {
        // See RecordSerializedExecution.
    }
}

std::vector<SRecordedCommand> CMemoryPatientManager::GetRecordedCommands() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_records;
}

void CMemoryPatientManager::Clear()
{
    std::vector<SRecordedCommand> released;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_records.swap(released);
}

IPatientManager& GetPatientManager()
{
    return GetProcessService<IPatientManager, CMemoryPatientManager>().Get();
}

void SetPatientManager(std::shared_ptr<IPatientManager> patientManager)
{
    GetProcessService<IPatientManager, CMemoryPatientManager>().Set(std::move(patientManager));
}
} // namespace Base
