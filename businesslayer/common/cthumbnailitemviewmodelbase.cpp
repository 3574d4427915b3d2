#include "businesslayer/common/cthumbnailitemviewmodelbase.h"

#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommand.h"

namespace BusinessLayer
{
Logging::CLogger const CThumbnailItemViewModelBase::s_logger(L"ORX2.CThumbnailItemViewModelBase");

CThumbnailItemViewModelBase::CThumbnailItemViewModelBase(Base::EAreaItems area, std::wstring const& suffix)
    : m_selectCommand(Base::MakeOwnerBoundCommand<Base::TCommand<void>>(
          GetOwnerGuard(), *this,
          [](CThumbnailItemViewModelBase& self)
          { self.m_isSelected.Update([](bool selected) { return !selected; }); },
          GetSelectCommandName(area, suffix), true))
{
    GetOwnerGuard().Open();
}

CThumbnailItemViewModelBase::~CThumbnailItemViewModelBase()
{
    GetOwnerGuard().Close();
}

std::wstring CThumbnailItemViewModelBase::GetSelectCommandName(Base::EAreaItems area,
                                                               std::wstring const& suffix)
{
    return L"CThumbnailItemViewModelBase.Select_" + Base::GetAreaName(area) + L"_" + suffix;
}
} // namespace BusinessLayer
