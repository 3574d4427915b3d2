#pragma once
// The owners' base TNotifyPropertyChangedImpl<I> for every view-model and data-exchange-model interface
// of the library, instantiated once in ORX2_Common and exported from it, so that the library, the host
// and the GUI share one copy of its members (and on Windows can share it at all). Included at the end of
// tnotifypropertychangedimpl.h, so no owner makes a copy of its own.
//
// A new interface of that kind adds its include and its line to ORX2_NOTIFYING_INTERFACES, in
// alphabetical order. The test orx2_exported_symbols_notifying fails while one is missing.
#include "base/orx2basepool/orx2basepoolexport.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"

#include "base/orx2basepool/i3dsceneviewmodel.h"
#include "base/orx2basepool/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/iareaitemviewmodel.h"
#include "base/orx2basepool/iareaocclusaldirectiondataexchangemodel.h"
#include "base/orx2basepool/iareaoptimizationstatedataexchangemodel.h"
#include "base/orx2basepool/iarearegistrationresultdataexchangemodel.h"
#include "base/orx2basepool/iareaviewmodel.h"
#include "base/orx2basepool/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/icameracalibrationviewmodel.h"
#include "base/orx2basepool/icapturekeysviewmodel.h"
#include "base/orx2basepool/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/icolorcalibdialogviewmodel.h"
#include "base/orx2basepool/iinstantiatedareadataexchangemodel.h"
#include "base/orx2basepool/iismodeltaballoweddataexchangemodel.h"
#include "base/orx2basepool/iliveimageviewmodel.h"
#include "base/orx2basepool/iliveoptionsitemviewmodel.h"
#include "base/orx2basepool/iliveoptionsviewmodel.h"
#include "base/orx2basepool/ilivesuboptionsitemviewmodel.h"
#include "base/orx2basepool/ilivesuboptionsviewmodel.h"
#include "base/orx2basepool/ilivevideoviewmodel.h"
#include "base/orx2basepool/ilockguiviewmodel.h"
#include "base/orx2basepool/iqrcodeviewmodel.h"
#include "base/orx2basepool/ireconstructionprogressbardataexchangemodel.h"
#include "base/orx2basepool/ireconstructionresultdataexchangemodel.h"
#include "base/orx2basepool/iseatpositiondataexchangemodel.h"
#include "base/orx2basepool/isidepanelitemviewmodel.h"
#include "base/orx2basepool/isidepaneltoolitemviewmodel.h"
#include "base/orx2basepool/isidepanelviewmodel.h"
#include "base/orx2basepool/isliderviewmodel.h"
#include "base/orx2basepool/istepmenuitemviewmodel.h"
#include "base/orx2basepool/istepmenuviewmodel.h"
#include "base/orx2basepool/ithumbnailbarviewmodel.h"
#include "base/orx2basepool/ithumbnailitemviewmodel.h"
#include "base/orx2basepool/itoolactionviewmodel.h"
#include "base/orx2basepool/itrashviewmodel.h"
#include "base/orx2basepool/ivideomode2ddataexchangemodel.h"

// X(Interface) for each interface of namespace Base whose TNotifyPropertyChangedImpl ORX2_Common exports.
#define ORX2_NOTIFYING_INTERFACES(X)                                                                         \
    X(I3DSceneViewModel)                                                                                     \
    X(IAcquisitionButtonViewModel)                                                                           \
    X(IAreaItemViewModel)                                                                                    \
    X(IAreaOcclusalDirectionDataExchangeModel)                                                               \
    X(IAreaOptimizationStateDataExchangeModel)                                                               \
    X(IAreaRegistrationResultDataExchangeModel)                                                              \
    X(IAreaViewModel)                                                                                        \
    X(IBuccalRegistrationResultDataExchangeModel)                                                            \
    X(ICameraCalibrationViewModel)                                                                           \
    X(ICaptureKeysViewModel)                                                                                 \
    X(ICaseRequiredAreasDataExchangeModel)                                                                   \
    X(IColorCalibDialogViewModel)                                                                            \
    X(IInstantiatedAreaDataExchangeModel)                                                                    \
    X(IIsModelTabAllowedDataExchangeModel)                                                                   \
    X(ILiveImageViewModel)                                                                                   \
    X(ILiveOptionsItemViewModel)                                                                             \
    X(ILiveOptionsViewModel)                                                                                 \
    X(ILiveSubOptionsItemViewModel)                                                                          \
    X(ILiveSubOptionsViewModel)                                                                              \
    X(ILiveVideoViewModel)                                                                                   \
    X(ILockGUIViewModel)                                                                                     \
    X(IQRCodeViewModel)                                                                                      \
    X(IReconstructionProgressBarDataExchangeModel)                                                           \
    X(IReconstructionResultDataExchangeModel)                                                                \
    X(ISeatPositionDataExchangeModel)                                                                        \
    X(ISidePanelItemViewModel)                                                                               \
    X(ISidePanelToolItemViewModel)                                                                           \
    X(ISidePanelViewModel)                                                                                   \
    X(ISliderViewModel)                                                                                      \
    X(IStepMenuItemViewModel)                                                                                \
    X(IStepMenuViewModel)                                                                                    \
    X(IThumbnailBarViewModel)                                                                                \
    X(IThumbnailItemViewModel)                                                                               \
    X(IToolActionViewModel)                                                                                  \
    X(ITrashViewModel)                                                                                       \
    X(IVideoMode2DDataExchangeModel)

#define ORX2_DECLARE_EXPORTED_NOTIFY_IMPL(I)                                                                 \
    extern template class ORX2_BASEPOOL_EXPORT TNotifyPropertyChangedImpl<I>;
namespace Base
{
ORX2_NOTIFYING_INTERFACES(ORX2_DECLARE_EXPORTED_NOTIFY_IMPL)
} // namespace Base
#undef ORX2_DECLARE_EXPORTED_NOTIFY_IMPL
