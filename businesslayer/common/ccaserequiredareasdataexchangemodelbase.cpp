#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"

#include "base/orx2basepool/makeregisteredcommand.h"

#include <utility>

namespace BusinessLayer
{
using Base::EAreaItems;
using Level = CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;

Logging::CLogger const
    CCaseRequiredAreasDataExchangeModelBase::s_logger(L"ORX2.CCaseRequiredAreasDataExchangeModelBase");

CCaseRequiredAreasDataExchangeModelBase::CCaseRequiredAreasDataExchangeModelBase(
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea)
    : m_updateCommand(Base::MakeRegisteredCommand<UpdateCommand>(
          [this,
           selected = std::weak_ptr<Base::IProperty<EAreaItems>>(selectedArea)](std::vector<Level> levels)
          {
              m_requiredAreas.SetRange(0, levels);
              UpdateDefaultActiveArea(levels);
              // Also when the default did not change: the user may have selected another area since.
              if (auto const property = selected.lock())
                  property->Set(m_defaultActiveArea.Get());
          },
          L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel", true)),
      m_defaultActiveArea(EAreaItems::LowerJaw, *this)
{
}

CCaseRequiredAreasDataExchangeModelBase::~CCaseRequiredAreasDataExchangeModelBase() = default;

void CCaseRequiredAreasDataExchangeModelBase::SetRequiredAreasArray(std::vector<Level> const& levels)
{
    m_updateCommand->Execute(levels);
}

Base::Binding::IArrayProperty<Level> const& CCaseRequiredAreasDataExchangeModelBase::GetRequiredAreasArray()
{
    return m_requiredAreas;
}

Base::IProperty<EAreaItems> const& CCaseRequiredAreasDataExchangeModelBase::GetDefaultActiveArea() const
{
    return m_defaultActiveArea;
}

Base::TProperty<EAreaItems>& CCaseRequiredAreasDataExchangeModelBase::GetDefaultActiveArea()
{
    return m_defaultActiveArea;
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
    if (s_logger.IsLogLevelEnabled(2))
        s_logger.Info("businesslayer/common/ccaserequiredareasdataexchangemodelbase", 105,
                      "BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea",
                      L"Default Activated Area %i ", static_cast<int>(m_defaultActiveArea.Get()));
}
} // namespace BusinessLayer
