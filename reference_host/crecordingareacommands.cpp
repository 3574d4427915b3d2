#include "reference_host/crecordingareacommands.h"

#include "base/orx2basepool/tcommand.h"

#include <string>
#include <utility>

namespace ReferenceHost
{
using Base::EAreaItems;

void CRecordingAreaCommands::SRecord::Add(SCall call)
{
    std::lock_guard<std::mutex> const lock(mutex);
    calls.push_back(call);
}

CRecordingAreaCommands::CRecordingAreaCommands(
    std::shared_ptr<Base::IProperty<EAreaItems>> const& selectedArea)
    : m_record(std::make_shared<SRecord>())
{
    std::shared_ptr<SRecord> const record = m_record;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
    {
        auto const area = static_cast<EAreaItems>(i);
        std::wstring const name = Base::GetAreaName(area);
        m_trash[i] = std::make_shared<Base::TCommand<void>>(
            [record, area] {
                record->Add({EKind::Trash, area, EAreaItems::Undefined});
            },
            L"ReferenceHost.Trash_" + name, false);
        m_copy[i] = std::make_shared<Base::TCommand<void, EAreaItems>>(
            [record, area](EAreaItems target) {
                record->Add({EKind::Copy, area, target});
            },
            L"ReferenceHost.Copy_" + name, false);
        m_move[i] = std::make_shared<Base::TCommand<void, EAreaItems>>(
            [record, area](EAreaItems target) {
                record->Add({EKind::Move, area, target});
            },
            L"ReferenceHost.Move_" + name, false);
    }
    m_activate = std::make_shared<Base::TCommand<void, EAreaItems>>(
        [record, selected = std::weak_ptr<Base::IProperty<EAreaItems>>(selectedArea)](EAreaItems area)
        {
            record->Add({EKind::Activate, area, EAreaItems::Undefined});
            if (auto const property = selected.lock())
                property->Set(area);
        },
        L"ReferenceHost.ActivateArea", false);
    m_trashClick = std::make_shared<Base::TCommand<void>>(
        [record] {
            record->Add({EKind::TrashClick, EAreaItems::Undefined, EAreaItems::Undefined});
        },
        L"ReferenceHost.TrashClick", false);
}

CRecordingAreaCommands::~CRecordingAreaCommands() = default;

void CRecordingAreaCommands::Install(BusinessLayer::CAreaViewModelBase& panel) const
{
    auto const& items = panel.GetAreaItemViewModels();
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        items[i]->SetTrashCommand(m_trash[i]);
        items[i]->SetCopyCommand(m_copy[i]);
        items[i]->SetMoveCommand(m_move[i]);
    }
    panel.GetActivateAreaCommand().Set(m_activate);
}

void CRecordingAreaCommands::Install(BusinessLayer::CTrashViewModelBase& trash) const
{
    trash.SetClickCommand(m_trashClick);
}

std::vector<CRecordingAreaCommands::SCall> CRecordingAreaCommands::TakeCalls()
{
    std::lock_guard<std::mutex> const lock(m_record->mutex);
    return std::exchange(m_record->calls, {});
}
} // namespace ReferenceHost
