#include "businesslayer/common/ccommondatamodificationdataexchangemodel.h"

#include "base/orx2basepool/tvaluechangedobserver.h"

namespace BusinessLayer
{
Logging::CLogger const
    CCommonDataModificationDataExchangeModel::s_logger(L"ORX2.CCommonDataModifiedDataExchangeModel");

CCommonDataModificationDataExchangeModel::CCommonDataModificationDataExchangeModel(
    Base::IProperty<bool> const& enabled, std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas), m_enabledObserver(Base::Binding::TValueChangedObserver<bool>(enabled, [this](bool on)
                                                                                   { OnEnabledChanged(on); }))
{
}

// Members go in reverse order: the observer first, then the forwarding connection, then the event.
CCommonDataModificationDataExchangeModel::~CCommonDataModificationDataExchangeModel() = default;

Base::IEventSignal<void> const& CCommonDataModificationDataExchangeModel::GetModifiedEvent() const
{
    return m_modified;
}

void CCommonDataModificationDataExchangeModel::OnEnabledChanged(bool enabled)
{
    // Only this handler touches the connection, and calls of one observer never overlap.
    if (!enabled)
    {
        m_forwarding = Base::CScopedEventSignalConnection();
        return;
    }
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    m_forwarding = areas->GetDataModifiedEvent().Connect(
        Base::MakeEventSignalHandler<void>([this] { m_modified.Fire(); }));
}
} // namespace BusinessLayer
