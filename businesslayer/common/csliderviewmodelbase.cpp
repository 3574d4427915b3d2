#include "businesslayer/common/csliderviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CSliderViewModelBase::s_logger(L"ORX2.CSliderViewModelBase");

CSliderViewModelBase::CSliderViewModelBase() = default;

CSliderViewModelBase::~CSliderViewModelBase() = default;
} // namespace BusinessLayer
