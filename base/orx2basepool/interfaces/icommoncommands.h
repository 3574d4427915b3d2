#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inoncopyable.h"
#include "host/contracts/icommonareas.h"
#include "host/contracts/imoduleparameterset.h"
#include "host/contracts/isurfelcollection.h"
#include "host/values/jbmatrix4r.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Base
{
/// The engine-level commands of the acquisition engine, as their names say: replay, load and save, the
/// accuracy test, exports, injection of reference and support geometry, area management, optimisation
/// and reconstruction control, and queries about the last re-entry. A getter returns a copy of its
/// slot, which is empty while no command is installed: test it before executing.
///
/// Commands with out-parameters (`bool&`, `int&`, `JbMatrix4Rd&`, the parameter set) are queries: the
/// caller passes a variable and reads it after Execute returns.
class ICommonCommands : public INonCopyable
{
public:
    using EngineReplayModeCommand = ICommand<int const&, std::wstring const&>;
    using EngineActivateSaveCommand = ICommand<std::wstring const&>;
    using EngineActivateLoadCommand = ICommand<std::wstring const&>;
    using AccuracyTestCommand =
        ICommand<std::wstring const&, std::wstring const&, std::wstring const&, std::wstring const&,
                 std::wstring const&, std::wstring const&, float>;
    using ExportReconstructionCommand = ICommand<std::wstring const&>;
    using ExportAreaContentCommand = ICommand<std::wstring const&, std::wstring const&>;
    using DebugOptimizationCommand = ICommand<std::wstring const&>;
    using UnlockAreasCommand = ICommand<>;
    using AreaSetDoReconstructionCommand = ICommand<int, bool>;
    using AreasWaitForIdleCommand = ICommand<bool>;
    using SaveAreaEntitiesCommand = ICommand<std::wstring const&>;
    using SaveAreaCommand = ICommand<std::wstring const&>;
    using SwitchAreaOptimizationTypeCommand = ICommand<std::wstring const&, std::wstring const&>;
    using TriggerReconstructionCommand = ICommand<>;
    using SaveSurfelCollectionCommand = ICommand<std::wstring const&>;
    using ClearEntitiesCommand = ICommand<>;
    using ApplyCutFromFileCommand = ICommand<std::wstring const&>;
    using RecomputeOptimizationCommand = ICommand<int, std::wstring const&, std::wstring const&>;
    using RecalculateOutlierCommand = ICommand<>;
    using ClearLastReentryResultCommand = ICommand<>;
    using GetLastReentryWasSuccessfulCommand = ICommand<bool&>;
    using GetLastReentryDelayCommand = ICommand<int&>;
    using GetLastReentryTrafoCommand = ICommand<JbMatrix4Rd&>;
    using InjectSupportGeometryCommand = ICommand<int, std::wstring>;
    using InjectReferenceGeometryCommand = ICommand<int, std::wstring>;
    using InjectReferenceGeometrySCCommand = ICommand<int, std::shared_ptr<ISurfelCollection const>>;
    using AddAreaCommand = ICommand<EAreaItems>;
    using MoveAreaCommand = ICommand<EAreaItems, EAreaItems>;
    using GetGlobalParameterSetCommand = ICommand<std::shared_ptr<IModuleParameterSet const>&>;
    using WriteRandomBinFileCommand = ICommand<std::vector<signed char> const&>;
    using ReplaceGeometryAtL0LevelCommand = ICommand<std::wstring>;
    using DisturbTransformationsCommand = ICommand<float, float, unsigned int, int>;
    using ConnectVisualizationCommand = ICommand<bool>;
    using DebugDomainTestCommand = ICommand<std::function<void(BusinessLayer::ICommonAreas&)>>;

    virtual ~ICommonCommands() = default;

    virtual std::shared_ptr<EngineReplayModeCommand> GetEngineReplayModeCommand() const = 0;
    virtual std::shared_ptr<EngineActivateSaveCommand> GetEngineActivateSaveCommand() const = 0;
    virtual std::shared_ptr<EngineActivateLoadCommand> GetEngineActivateLoadCommand() const = 0;
    virtual std::shared_ptr<AccuracyTestCommand> GetAccuracyTestCommand() const = 0;
    virtual std::shared_ptr<ExportReconstructionCommand> GetExportReconstructionCommand() const = 0;
    virtual std::shared_ptr<ExportAreaContentCommand> GetExportAreaContentCommand() const = 0;
    virtual std::shared_ptr<DebugOptimizationCommand> GetDebugOptimizationCommand() const = 0;
    virtual std::shared_ptr<UnlockAreasCommand> GetUnlockAreasCommand() const = 0;
    virtual std::shared_ptr<AreaSetDoReconstructionCommand> GetAreaSetDoReconstructionCommand() const = 0;
    virtual std::shared_ptr<AreasWaitForIdleCommand> GetAreasWaitForIdleCommand() const = 0;
    virtual std::shared_ptr<SaveAreaEntitiesCommand> GetSaveAreaEntitiesCommand() const = 0;
    virtual std::shared_ptr<SaveAreaCommand> GetSaveAreaCommand() const = 0;
    virtual std::shared_ptr<SwitchAreaOptimizationTypeCommand>
    GetSwitchAreaOptimizationTypeCommand() const = 0;
    virtual std::shared_ptr<TriggerReconstructionCommand> GetTriggerReconstructionCommand() const = 0;
    virtual std::shared_ptr<SaveSurfelCollectionCommand> GetSaveSurfelCollectionCommand() const = 0;
    virtual std::shared_ptr<ClearEntitiesCommand> GetClearEntitiesCommand() const = 0;
    virtual std::shared_ptr<ApplyCutFromFileCommand> GetApplyCutFromFileCommand() const = 0;
    virtual std::shared_ptr<RecomputeOptimizationCommand> GetRecomputeOptimizationCommand() const = 0;
    virtual std::shared_ptr<RecalculateOutlierCommand> GetRecalculateOutlierCommand() const = 0;
    virtual std::shared_ptr<ClearLastReentryResultCommand> GetClearLastReentryResultCommand() const = 0;
    virtual std::shared_ptr<GetLastReentryWasSuccessfulCommand>
    GetGetLastReentryWasSuccessfulCommand() const = 0;
    virtual std::shared_ptr<GetLastReentryDelayCommand> GetGetLastReentryDelayCommand() const = 0;
    virtual std::shared_ptr<GetLastReentryTrafoCommand> GetGetLastReentryTrafoCommand() const = 0;
    virtual std::shared_ptr<InjectSupportGeometryCommand> GetInjectSupportGeometryCommand() const = 0;
    virtual std::shared_ptr<InjectReferenceGeometryCommand> GetInjectReferenceGeometryCommand() const = 0;
    virtual std::shared_ptr<InjectReferenceGeometrySCCommand> GetInjectReferenceGeometrySCCommand() const = 0;
    virtual std::shared_ptr<AddAreaCommand> GetAddAreaCommand() const = 0;
    virtual std::shared_ptr<MoveAreaCommand> GetMoveAreaCommand() const = 0;
    virtual std::shared_ptr<GetGlobalParameterSetCommand> GetGetGlobalParameterSetCommand() const = 0;
    virtual std::shared_ptr<WriteRandomBinFileCommand> GetWriteRandomBinFileCommand() const = 0;
    virtual std::shared_ptr<ReplaceGeometryAtL0LevelCommand> GetReplaceGeometryAtL0LevelCommand() const = 0;
    virtual std::shared_ptr<DisturbTransformationsCommand> GetDisturbTransformationsCommand() const = 0;
    virtual std::shared_ptr<ConnectVisualizationCommand> GetConnectVisualizationCommand() const = 0;
    /// The number of entities of level 0 in the case.
    virtual unsigned int GetNumberOfL0EntitiesInCase() const = 0;
    /// The number of entities of level 1 in the case.
    virtual unsigned int GetNumberOfL1EntitiesInCase() const = 0;
    /// Returns once the case's background loading has finished.
    virtual void WaitForBackgroundLoadFinished() const = 0;
    /// Whether the reconstruction is ready; what the argument selects is the implementing host's choice.
    virtual bool IsReconstructionReady(unsigned int) const = 0;
    virtual std::shared_ptr<DebugDomainTestCommand> GeDebugDomainTestCommand() const = 0;
};
} // namespace Base
