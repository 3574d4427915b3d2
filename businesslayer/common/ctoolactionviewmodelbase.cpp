#include "businesslayer/common/ctoolactionviewmodelbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommand.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ctoolactionviewmodelbase");

std::wstring CommandName(std::wstring const& namePrefix,
                         CToolActionViewModelBase::ItemTypeToolActionsEnum itemType)
{
    return namePrefix + L".CToolActionViewModelBase.Command_" + std::to_wstring(static_cast<int>(itemType));
}
} // namespace

Logging::CLogger const CToolActionViewModelBase::s_logger(L"ORX2.CToolActionViewModelBase");

CToolActionViewModelBase::CToolActionViewModelBase(std::wstring const& namePrefix,
                                                   ItemTypeToolActionsEnum itemType, bool visible,
                                                   bool enabled, bool selected)
    : m_visibility(visible, *this), m_enabled(enabled, *this), m_selected(selected, *this),
      m_itemType(itemType, *this)
{
    m_command.Set(Base::MakeOwnerBoundCommand<Base::TCommand<void>>(
        GetOwnerGuard(), *this, [](CToolActionViewModelBase const& self) { self.LogCommand(); },
        CommandName(namePrefix, itemType), true));
    GetOwnerGuard().Open();
}

CToolActionViewModelBase::~CToolActionViewModelBase()
{
    GetOwnerGuard().Close();
}

void CToolActionViewModelBase::LogCommand() const
{
    kSource.Log(s_logger, __LINE__, "BusinessLayer::CToolActionViewModelBase::LogCommand", L"Command  %i",
                static_cast<int>(m_itemType.Get()));
}
} // namespace BusinessLayer
