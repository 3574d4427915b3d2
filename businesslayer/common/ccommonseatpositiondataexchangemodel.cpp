#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"

namespace BusinessLayer
{
Logging::CLogger const
    CCommonSeatPositionDataExchangeModel::s_logger(L"ORX2.CCommonSeatPositionDataExchangeModel");

CCommonSeatPositionDataExchangeModel::CCommonSeatPositionDataExchangeModel()
    : m_seatPosition(EORXSeatPosition::NotSet, *this)
{
}

CCommonSeatPositionDataExchangeModel::~CCommonSeatPositionDataExchangeModel() = default;

Base::IProperty<EORXSeatPosition> const& CCommonSeatPositionDataExchangeModel::GetSeatPosition() const
{
    return m_seatPosition;
}

Base::TProperty<EORXSeatPosition>& CCommonSeatPositionDataExchangeModel::GetSeatPosition()
{
    return m_seatPosition;
}

void CCommonSeatPositionDataExchangeModel::SetSeatPosition(EORXSeatPosition position)
{
    m_seatPosition.Set(position);
}
} // namespace BusinessLayer
