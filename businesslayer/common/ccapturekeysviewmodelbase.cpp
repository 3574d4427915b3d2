#include "businesslayer/common/ccapturekeysviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CCaptureKeysViewModelBase::s_logger(L"ORX2.CCaptureKeysViewModelBase");

CCaptureKeysViewModelBase::CCaptureKeysViewModelBase() = default;

CCaptureKeysViewModelBase::~CCaptureKeysViewModelBase() = default;
} // namespace BusinessLayer
