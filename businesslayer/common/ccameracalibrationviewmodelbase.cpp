#include "businesslayer/common/ccameracalibrationviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CCameraCalibrationViewModelBase::s_logger(L"ORX2.CCameraCalibrationViewModelBase");

CCameraCalibrationViewModelBase::CCameraCalibrationViewModelBase() = default;

CCameraCalibrationViewModelBase::~CCameraCalibrationViewModelBase() = default;
} // namespace BusinessLayer
