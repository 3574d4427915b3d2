#include "businesslayer/common/cdataexchangeconfigurationbase.h"

namespace BusinessLayer
{
Logging::CLogger const CDataExchangeConfigurationBase::s_logger(L"ORX2.CDataExchangeConfigurationBase");

CDataExchangeConfigurationBase::CDataExchangeConfigurationBase() = default;

CDataExchangeConfigurationBase::~CDataExchangeConfigurationBase() = default;

} // namespace BusinessLayer
