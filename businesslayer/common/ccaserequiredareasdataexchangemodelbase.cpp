#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/makeownerboundcommand.h"

#include <utility>

namespace BusinessLayer
{
using Base::EAreaItems;
using Level = CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;

namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ccaserequiredareasdataexchangemodelbase");
constexpr int kLineDefaultAreaLog = 105;
} // namespace

Logging::CLogger const
    CCaseRequiredAreasDataExchangeModelBase::s_logger(L"ORX2.CCaseRequiredAreasDataExchangeModelBase");

CCaseRequiredAreasDataExchangeModelBase::CCaseRequiredAreasDataExchangeModelBase(
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea)
    : m_updateCommand(Base::MakeOwnerBoundCommand<UpdateCommand>(
          m_guard, *this,
          [selected = std::weak_ptr<Base::IProperty<EAreaItems>>(selectedArea)](
              CCaseRequiredAreasDataExchangeModelBase& model, std::vector<Level> const& levels)
          { model.OnUpdate(selected, levels); },
          L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel", true))
{
    m_guard.Open();
}

CCaseRequiredAreasDataExchangeModelBase::~CCaseRequiredAreasDataExchangeModelBase()
{
    m_guard.Close();
}

void CCaseRequiredAreasDataExchangeModelBase::SetRequiredAreasArray(std::vector<Level> const& levels)
{
    m_updateCommand->Execute(levels);
}

void CCaseRequiredAreasDataExchangeModelBase::OnUpdate(std::weak_ptr<Base::IProperty<EAreaItems>> const& selectedArea,
                                                       std::vector<Level> const& levels)
{
    m_requiredAreas.SetRange(0, levels);
    UpdateDefaultActiveArea(levels);
    // Also when the default did not change: the user may have selected another area since.
    if (auto const property = selectedArea.lock())
        property->Set(m_defaultActiveArea.Get());
}

void CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea(std::vector<Level> const& levels)
{
    if (levels.size() < Base::kAreaItemCount)
        return;
    auto const obligatory = [&levels](EAreaItems area)
    { return levels[Base::AreaIndex(area)] == Level::Obligatory; };
    // Without an obligatory jaw there is nothing to start with but the lower jaw. With one, an obligatory
    // pre-operation scan comes first (it must be taken before the teeth are prepared), lower before upper.
    // That holds for an obligatory upper jaw with an obligatory lower pre-operation scan as well: that
    // scan makes the lower jaw obligatory as soon as the required areas follow the scan, so it is started
    // first just as if the lower jaw had been prescribed.
    EAreaItems defaultArea = EAreaItems::LowerJaw;
    if (obligatory(EAreaItems::LowerJaw) || obligatory(EAreaItems::UpperJaw))
    {
        EAreaItems const jaw = obligatory(EAreaItems::LowerJaw) ? EAreaItems::LowerJaw : EAreaItems::UpperJaw;
        defaultArea = obligatory(EAreaItems::PreOpLower)   ? EAreaItems::PreOpLower
                      : obligatory(EAreaItems::PreOpUpper) ? EAreaItems::PreOpUpper
                                                           : jaw;
    }
    m_defaultActiveArea.Set(defaultArea);
    kSource.Log(s_logger, kLineDefaultAreaLog,
                "BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea",
                L"Default Activated Area %i ", static_cast<int>(m_defaultActiveArea.Get()));
}
} // namespace BusinessLayer
