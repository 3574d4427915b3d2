#pragma once
// The member tables of the view-model types the acquisition screen binds: for each type, the names QML
// reads and the commands it executes. One table per type, here and nowhere else; readers run on the
// notifying thread and read only the library's thread-safe state (properties, snapshots, queries).
#include "bridge/tviewmodeltable.h"

#include "base/orx2basepool/interfaces/iareaitemviewmodel.h"
#include "base/orx2basepool/interfaces/iareaviewmodel.h"
#include "base/orx2basepool/interfaces/icameracalibrationviewmodel.h"
#include "base/orx2basepool/interfaces/icolorcalibdialogviewmodel.h"
#include "base/orx2basepool/interfaces/iliveimageviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/ireconstructionprogressbardataexchangemodel.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "base/orx2basepool/interfaces/isidepaneltoolitemviewmodel.h"
#include "base/orx2basepool/interfaces/isidepanelviewmodel.h"
#include "base/orx2basepool/interfaces/istepmenuitemviewmodel.h"
#include "base/orx2basepool/interfaces/ithumbnailitemviewmodel.h"
#include "base/orx2basepool/interfaces/itoolactionviewmodel.h"

namespace Orx2Gui::Tables
{
/// visible, selectedArea (the area's number); activate(area number).
TViewModelTable<Base::IAreaViewModel> const& AreaPanel();
/// visible, obligatory, enabled, locked, workIndicator; trash().
TViewModelTable<Base::IAreaItemViewModel> const& AreaTile();
/// number, bitmap, selected, visible; select().
TViewModelTable<Base::IThumbnailItemViewModel> const& Thumbnail();
/// percent (0 to 100), processing ("OK", "Fail", ...), hasData and areaPercent (one entry per area).
TViewModelTable<Base::IReconstructionProgressBarDataExchangeModel> const& Progress();
/// state ("Complete", ...), saved, areaStates (one entry per area).
TViewModelTable<Base::IReconstructionResultDataExchangeModel> const& Result();
/// visible, enabled, selected, done, text, group, okEnabled, cancelEnabled; press(), okCancel(bool),
/// insertText(text).
TViewModelTable<Base::IStepMenuItemViewModel> const& StepMenuItem();
/// toolsVisible.
TViewModelTable<Base::ISidePanelViewModel> const& SidePanel();
/// name (the prefix of its actions' command names), visible, enabled, selected.
TViewModelTable<Base::ISidePanelToolItemViewModel> const& Tool();
/// visible, enabled, selected; press().
TViewModelTable<Base::IToolActionViewModel> const& ToolAction();
/// crosshair ("None", "Ready", "Tracking", "Searching"), visible.
TViewModelTable<Base::ILiveImageViewModel> const& LiveImage();
/// lockCount, workIndicator.
TViewModelTable<Base::ILockGUIViewModel> const& LockGui();
/// visible, state (the calibration state's number), instruction.
TViewModelTable<Base::ICameraCalibrationViewModel> const& CameraCalibration();
/// visible, instruction; ok(), cancel(), custom().
TViewModelTable<Base::IColorCalibDialogViewModel> const& ColourDialog();
} // namespace Orx2Gui::Tables
