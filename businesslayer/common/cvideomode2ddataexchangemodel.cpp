#include "businesslayer/common/cvideomode2ddataexchangemodel.h"

namespace BusinessLayer
{
Logging::CLogger const CVideoMode2DDataExchangeModel::s_logger(L"ORX2.CVideoMode2DDataExchangeModel");

CVideoMode2DDataExchangeModel::CVideoMode2DDataExchangeModel() = default;

CVideoMode2DDataExchangeModel::~CVideoMode2DDataExchangeModel() = default;

} // namespace BusinessLayer
