#include "businesslayer/common/cqrcodeviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CQRCodeViewModelBase::s_logger(L"ORX2.CQRCodeViewModelBase");

CQRCodeViewModelBase::CQRCodeViewModelBase() = default;

CQRCodeViewModelBase::~CQRCodeViewModelBase() = default;
} // namespace BusinessLayer
