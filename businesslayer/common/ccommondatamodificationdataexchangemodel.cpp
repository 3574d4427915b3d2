#include "businesslayer/common/ccommondatamodificationdataexchangemodel.h"

#include "base/orx2basepool/tvaluechangedobserver.h"

namespace BusinessLayer
{
Logging::CLogger const
    CCommonDataModificationDataExchangeModel::s_logger(L"ORX2.CCommonDataModifiedDataExchangeModel");

CCommonDataModificationDataExchangeModel::CCommonDataModificationDataExchangeModel(
    Base::IProperty<bool> const& enabled, std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
    m_guard.Open();
    m_enabledObserver = Base::Binding::TValueChangedObserver<bool>(
        enabled, Base::BindToOwner(m_guard, *this,
                                   [](CCommonDataModificationDataExchangeModel& self, bool on)
                                   { self.OnEnabledChanged(on); }));
}

CCommonDataModificationDataExchangeModel::~CCommonDataModificationDataExchangeModel()
{
    // From here no forward starts, and those of other threads have ended. One of this thread may be
    // running (its hold was the last reference): waiting for it would never end.
    m_guard.Close();
    m_enabledObserver.Reset();
    if (std::shared_ptr<Base::IEventSignalConnection> const forwarding = m_forwarding.Release())
        forwarding->Disconnect();
}

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
    m_forwarding = areas->GetDataModifiedEvent().Connect(Base::MakeEventSignalHandler<void>(Base::BindToOwner(
        m_guard, *this, [](CCommonDataModificationDataExchangeModel& self) { self.m_modified.Fire(); })));
}
} // namespace BusinessLayer
