#include "businesslayer/common/ctrashviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CTrashViewModelBase::s_logger(L"ORX2.CTrashViewModelBase");

CTrashViewModelBase::CTrashViewModelBase() = default;

CTrashViewModelBase::~CTrashViewModelBase() = default;
} // namespace BusinessLayer
