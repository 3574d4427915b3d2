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

#include "base/orx2basepool/interfaces/i3dsceneviewmodel.h"
#include "base/orx2basepool/interfaces/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/interfaces/iareaitemviewmodel.h"
#include "base/orx2basepool/interfaces/iareaocclusaldirectiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareaoptimizationstatedataexchangemodel.h"
#include "base/orx2basepool/interfaces/iarearegistrationresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iareaviewmodel.h"
#include "base/orx2basepool/interfaces/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/icameracalibrationviewmodel.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/interfaces/icolorcalibdialogviewmodel.h"
#include "base/orx2basepool/interfaces/iinstantiatedareadataexchangemodel.h"
#include "base/orx2basepool/interfaces/iismodeltaballoweddataexchangemodel.h"
#include "base/orx2basepool/interfaces/iliveimageviewmodel.h"
#include "base/orx2basepool/interfaces/iliveoptionsitemviewmodel.h"
#include "base/orx2basepool/interfaces/iliveoptionsviewmodel.h"
#include "base/orx2basepool/interfaces/ilivesuboptionsitemviewmodel.h"
#include "base/orx2basepool/interfaces/ilivesuboptionsviewmodel.h"
#include "base/orx2basepool/interfaces/ilivevideoviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/interfaces/ireconstructionprogressbardataexchangemodel.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iseatpositiondataexchangemodel.h"
#include "base/orx2basepool/interfaces/isidepanelitemviewmodel.h"
#include "base/orx2basepool/interfaces/isidepaneltoolitemviewmodel.h"
#include "base/orx2basepool/interfaces/isidepanelviewmodel.h"
#include "base/orx2basepool/interfaces/isliderviewmodel.h"
#include "base/orx2basepool/interfaces/istepmenuitemviewmodel.h"
#include "base/orx2basepool/interfaces/istepmenuviewmodel.h"
#include "base/orx2basepool/interfaces/ithumbnailbarviewmodel.h"
#include "base/orx2basepool/interfaces/ithumbnailitemviewmodel.h"
#include "base/orx2basepool/interfaces/itoolactionviewmodel.h"
#include "base/orx2basepool/interfaces/itrashviewmodel.h"
#include "base/orx2basepool/interfaces/ivideomode2ddataexchangemodel.h"

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
