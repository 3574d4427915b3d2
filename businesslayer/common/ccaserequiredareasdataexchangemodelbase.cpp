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
    std::shared_ptr<Base::IProperty<EAreaItems>> const& selectedArea)
    : m_updateCommand(Base::MakeOwnerBoundCommand<UpdateCommand>(
          GetOwnerGuard(), *this,
          [selected = std::weak_ptr<Base::IProperty<EAreaItems>>(selectedArea)](
              CCaseRequiredAreasDataExchangeModelBase& model, std::vector<Level> const& levels)
          { model.OnUpdate(selected, levels); },
          L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel", true))
{
    GetOwnerGuard().Open();
}

CCaseRequiredAreasDataExchangeModelBase::~CCaseRequiredAreasDataExchangeModelBase()
{
    GetOwnerGuard().Close();
}

void CCaseRequiredAreasDataExchangeModelBase::SetRequiredAreasArray(std::vector<Level> const& levels)
{
    // A copy: the execution may end with the release of this model (see Base::COwnerGuard).
    std::shared_ptr<UpdateCommand> const command = m_updateCommand;
    command->Execute(levels);
}

void CCaseRequiredAreasDataExchangeModelBase::OnUpdate(std::weak_ptr<Base::IProperty<EAreaItems>> const& selectedArea,
                                                       std::vector<Level> const& levels)
{
    m_requiredAreas.SetRange(0, levels);
    if (levels.size() >= Base::kAreaItemCount)
    {
        // Derived from the array as it is now rather than from `levels`: another execution may have set
        // it since. Repeated when one set it meanwhile, so the default always matches the final array.
        for (;;)
        {
            std::vector<Level> const current = m_requiredAreas.GetValues();
            UpdateDefaultActiveArea(current);
            if (m_requiredAreas.GetValues() == current)
                break;
        }
    }
    // Also when the default did not change: the user may have selected another area since. Repeated
    // when another execution changed the default meanwhile, so the last write is the final default.
    if (auto const property = selectedArea.lock())
    {
        for (;;)
        {
            EAreaItems const defaultArea = m_defaultActiveArea.Get();
            property->Set(defaultArea);
            if (m_defaultActiveArea.Get() == defaultArea)
                break;
        }
    }
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
