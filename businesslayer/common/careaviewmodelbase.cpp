#include "businesslayer/common/careaviewmodelbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/interfacearrays.h"
#include "base/orx2basepool/tfullarrayobserver.h"

#include <algorithm>
#include <string>

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/careaviewmodelbase");
constexpr int kLineObligatoryLog = 62;
} // namespace

Logging::CLogger const CAreaViewModelBase::s_logger(L"ORX2.CAreaViewModelBase");

CAreaViewModelBase::CAreaViewModelBase() : m_items(MakeItems())
{
    GetOwnerGuard().Open();
}

CAreaViewModelBase::~CAreaViewModelBase()
{
    // The observer's callback reaches the items: it stops first (waiting for a delivery on another thread).
    GetOwnerGuard().Close();
    m_requiredAreasObserver.Reset();
}

CAreaViewModelBase::Items CAreaViewModelBase::MakeItems()
{
    Items items;
    for (auto& item : items)
        item = std::make_shared<CAreaItemViewModelBase>();
    return items;
}

std::array<std::shared_ptr<Base::IAreaItemViewModel>, Base::kAreaItemCount>
CAreaViewModelBase::GetAreaItemViewModels() const
{
    return Base::CopyAsInterfaces<Base::IAreaItemViewModel>(m_items);
}

void CAreaViewModelBase::SetRequiredAreasArray(
    Base::Binding::IArrayBindingSource<EAreaRequirementLevel> const& source)
{
    std::lock_guard<std::mutex> const lock(m_bindingMutex);
    m_requiredAreas.Bind(source);
    m_requiredAreasObserver = Base::Binding::MakeFullArrayObserver(
        m_requiredAreas,
        Base::BindToOwner(GetOwnerGuard(), *this,
                          [](CAreaViewModelBase& self, std::vector<EAreaRequirementLevel> const& levels)
                          { self.OnRequiredAreas(levels); }));
}

void CAreaViewModelBase::OnRequiredAreas(std::vector<EAreaRequirementLevel> const& levels)
{
    std::wstring text;
    std::size_t const covered = std::min(levels.size(), m_items.size());
    for (std::size_t i = 0; i < covered; ++i)
    {
        bool const obligatory = levels[i] == EAreaRequirementLevel::Obligatory;
        text += std::to_wstring(i) + (obligatory ? L": Yes " : L": No ");
        m_items[i]->GetIsObligatory().Set(obligatory);
    }
    kSource.Log(s_logger, kLineObligatoryLog, "BusinessLayer::CAreaViewModelBase::SetRequiredAreasArray",
                L"Obligatory Areas: %s", text.c_str());
}
} // namespace BusinessLayer
