#pragma once
#include "base/orx2basepool/interfaces/iseatpositiondataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

namespace BusinessLayer
{
/// Holds the operator's seat position; NotSet (-1) at first.
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CCommonSeatPositionDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::ISeatPositionDataExchangeModel>
{
public:
    CCommonSeatPositionDataExchangeModel();
    ~CCommonSeatPositionDataExchangeModel() override;

    Base::IProperty<EORXSeatPosition> const& GetSeatPosition() const override { return m_seatPosition; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EORXSeatPosition>& GetSeatPosition() { return m_seatPosition; }
    void SetSeatPosition(EORXSeatPosition position) override { m_seatPosition.Set(position); }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EORXSeatPosition> m_seatPosition{EORXSeatPosition::NotSet, *this};
};
} // namespace BusinessLayer
