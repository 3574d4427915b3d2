#include "businesslayer/common/ccolorcalibdialogviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CColorCalibDialogViewModelBase::s_logger(L"ORX2.CColorCalibDialogViewModelBase");

CColorCalibDialogViewModelBase::CColorCalibDialogViewModelBase() = default;

CColorCalibDialogViewModelBase::~CColorCalibDialogViewModelBase() = default;
} // namespace BusinessLayer
