#include "businesslayer/common/clivevideoviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CLiveVideoViewModelBase::s_logger(L"ORX2.CLiveVideoViewModelBase");

CLiveVideoViewModelBase::CLiveVideoViewModelBase() = default;

CLiveVideoViewModelBase::~CLiveVideoViewModelBase() = default;

void CLiveVideoViewModelBase::UpdateConfigurationParameters() {}
} // namespace BusinessLayer
