#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"

namespace BusinessLayer
{
Logging::CLogger const
    CCommonSeatPositionDataExchangeModel::s_logger(L"ORX2.CCommonSeatPositionDataExchangeModel");

CCommonSeatPositionDataExchangeModel::CCommonSeatPositionDataExchangeModel() = default;

CCommonSeatPositionDataExchangeModel::~CCommonSeatPositionDataExchangeModel() = default;

} // namespace BusinessLayer
