#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tdescription.h"
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
    /// @{
    /// The type of each command, named after it: its arguments as the command's slot takes them.
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
    /// @}

    virtual ~ICommonCommands() = default;

    /// The command the GUI executes as `EngineReplayMode`.
    virtual std::shared_ptr<EngineReplayModeCommand> GetEngineReplayModeCommand() const = 0;
    /// The command the GUI executes as `EngineActivateSave`.
    virtual std::shared_ptr<EngineActivateSaveCommand> GetEngineActivateSaveCommand() const = 0;
    /// The command the GUI executes as `EngineActivateLoad`.
    virtual std::shared_ptr<EngineActivateLoadCommand> GetEngineActivateLoadCommand() const = 0;
    /// The command the GUI executes as `AccuracyTest`.
    virtual std::shared_ptr<AccuracyTestCommand> GetAccuracyTestCommand() const = 0;
    /// The command the GUI executes as `ExportReconstruction`.
    virtual std::shared_ptr<ExportReconstructionCommand> GetExportReconstructionCommand() const = 0;
    /// The command the GUI executes as `ExportAreaContent`.
    virtual std::shared_ptr<ExportAreaContentCommand> GetExportAreaContentCommand() const = 0;
    /// The command the GUI executes as `DebugOptimization`.
    virtual std::shared_ptr<DebugOptimizationCommand> GetDebugOptimizationCommand() const = 0;
    /// The command the GUI executes as `UnlockAreas`.
    virtual std::shared_ptr<UnlockAreasCommand> GetUnlockAreasCommand() const = 0;
    /// The command the GUI executes as `AreaSetDoReconstruction`.
    virtual std::shared_ptr<AreaSetDoReconstructionCommand> GetAreaSetDoReconstructionCommand() const = 0;
    /// The command the GUI executes as `AreasWaitForIdle`.
    virtual std::shared_ptr<AreasWaitForIdleCommand> GetAreasWaitForIdleCommand() const = 0;
    /// The command the GUI executes as `SaveAreaEntities`.
    virtual std::shared_ptr<SaveAreaEntitiesCommand> GetSaveAreaEntitiesCommand() const = 0;
    /// The command the GUI executes as `SaveArea`.
    virtual std::shared_ptr<SaveAreaCommand> GetSaveAreaCommand() const = 0;
    /// The command the GUI executes as `SwitchAreaOptimizationType`.
    virtual std::shared_ptr<SwitchAreaOptimizationTypeCommand>
    GetSwitchAreaOptimizationTypeCommand() const = 0;
    /// The command the GUI executes as `TriggerReconstruction`.
    virtual std::shared_ptr<TriggerReconstructionCommand> GetTriggerReconstructionCommand() const = 0;
    /// The command the GUI executes as `SaveSurfelCollection`.
    virtual std::shared_ptr<SaveSurfelCollectionCommand> GetSaveSurfelCollectionCommand() const = 0;
    /// The command the GUI executes as `ClearEntities`.
    virtual std::shared_ptr<ClearEntitiesCommand> GetClearEntitiesCommand() const = 0;
    /// The command the GUI executes as `ApplyCutFromFile`.
    virtual std::shared_ptr<ApplyCutFromFileCommand> GetApplyCutFromFileCommand() const = 0;
    /// The command the GUI executes as `RecomputeOptimization`.
    virtual std::shared_ptr<RecomputeOptimizationCommand> GetRecomputeOptimizationCommand() const = 0;
    /// The command the GUI executes as `RecalculateOutlier`.
    virtual std::shared_ptr<RecalculateOutlierCommand> GetRecalculateOutlierCommand() const = 0;
    /// The command the GUI executes as `ClearLastReentryResult`.
    virtual std::shared_ptr<ClearLastReentryResultCommand> GetClearLastReentryResultCommand() const = 0;
    /// The command the GUI executes as `GetLastReentryWasSuccessful`.
    virtual std::shared_ptr<GetLastReentryWasSuccessfulCommand>
    GetGetLastReentryWasSuccessfulCommand() const = 0;
    /// The command the GUI executes as `GetLastReentryDelay`.
    virtual std::shared_ptr<GetLastReentryDelayCommand> GetGetLastReentryDelayCommand() const = 0;
    /// The command the GUI executes as `GetLastReentryTrafo`.
    virtual std::shared_ptr<GetLastReentryTrafoCommand> GetGetLastReentryTrafoCommand() const = 0;
    /// The command the GUI executes as `InjectSupportGeometry`.
    virtual std::shared_ptr<InjectSupportGeometryCommand> GetInjectSupportGeometryCommand() const = 0;
    /// The command the GUI executes as `InjectReferenceGeometry`.
    virtual std::shared_ptr<InjectReferenceGeometryCommand> GetInjectReferenceGeometryCommand() const = 0;
    /// The command the GUI executes as `InjectReferenceGeometrySC`.
    virtual std::shared_ptr<InjectReferenceGeometrySCCommand> GetInjectReferenceGeometrySCCommand() const = 0;
    /// The command the GUI executes as `AddArea`.
    virtual std::shared_ptr<AddAreaCommand> GetAddAreaCommand() const = 0;
    /// The command the GUI executes as `MoveArea`.
    virtual std::shared_ptr<MoveAreaCommand> GetMoveAreaCommand() const = 0;
    /// The command the GUI executes as `GetGlobalParameterSet`.
    virtual std::shared_ptr<GetGlobalParameterSetCommand> GetGetGlobalParameterSetCommand() const = 0;
    /// The command the GUI executes as `WriteRandomBinFile`.
    virtual std::shared_ptr<WriteRandomBinFileCommand> GetWriteRandomBinFileCommand() const = 0;
    /// The command the GUI executes as `ReplaceGeometryAtL0Level`.
    virtual std::shared_ptr<ReplaceGeometryAtL0LevelCommand> GetReplaceGeometryAtL0LevelCommand() const = 0;
    /// The command the GUI executes as `DisturbTransformations`.
    virtual std::shared_ptr<DisturbTransformationsCommand> GetDisturbTransformationsCommand() const = 0;
    /// The command the GUI executes as `ConnectVisualization`.
    virtual std::shared_ptr<ConnectVisualizationCommand> GetConnectVisualizationCommand() const = 0;
    /// The number of entities of level 0 in the case.
    virtual unsigned int GetNumberOfL0EntitiesInCase() const = 0;
    /// The number of entities of level 1 in the case.
    virtual unsigned int GetNumberOfL1EntitiesInCase() const = 0;
    /// Returns once the case's background loading has finished.
    virtual void WaitForBackgroundLoadFinished() const = 0;
    /// Whether the reconstruction is ready; what the argument selects is the implementing host's choice.
    virtual bool IsReconstructionReady(unsigned int) const = 0;
    /// The command the engine's domain tests execute with the areas (not described: no GUI binds it).
    virtual std::shared_ptr<DebugDomainTestCommand> GeDebugDomainTestCommand() const = 0;
};

// The query commands keep their verb ("GetLastReentryDelay"): it is their name, not a getter's.
/// What the GUI binds of `ICommonCommands`, by name (see TDescription).
template <> struct TDescription<ICommonCommands> : Describe::TMembersOf<ICommonCommands>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Command<int const&, std::wstring const&>("EngineReplayMode", &I::GetEngineReplayModeCommand),
            Command<std::wstring const&>("EngineActivateSave", &I::GetEngineActivateSaveCommand),
            Command<std::wstring const&>("EngineActivateLoad", &I::GetEngineActivateLoadCommand),
            Command<std::wstring const&, std::wstring const&, std::wstring const&, std::wstring const&,
                    std::wstring const&, std::wstring const&, float>(
                "AccuracyTest", &I::GetAccuracyTestCommand),
            Command<std::wstring const&>("ExportReconstruction", &I::GetExportReconstructionCommand),
            Command<std::wstring const&, std::wstring const&>("ExportAreaContent", &I::GetExportAreaContentCommand),
            Command<std::wstring const&>("DebugOptimization", &I::GetDebugOptimizationCommand),
            Command<>("UnlockAreas", &I::GetUnlockAreasCommand),
            Command<int, bool>("AreaSetDoReconstruction", &I::GetAreaSetDoReconstructionCommand),
            Command<bool>("AreasWaitForIdle", &I::GetAreasWaitForIdleCommand),
            Command<std::wstring const&>("SaveAreaEntities", &I::GetSaveAreaEntitiesCommand),
            Command<std::wstring const&>("SaveArea", &I::GetSaveAreaCommand),
            Command<std::wstring const&, std::wstring const&>(
                "SwitchAreaOptimizationType", &I::GetSwitchAreaOptimizationTypeCommand),
            Command<>("TriggerReconstruction", &I::GetTriggerReconstructionCommand),
            Command<std::wstring const&>("SaveSurfelCollection", &I::GetSaveSurfelCollectionCommand),
            Command<>("ClearEntities", &I::GetClearEntitiesCommand),
            Command<std::wstring const&>("ApplyCutFromFile", &I::GetApplyCutFromFileCommand),
            Command<int, std::wstring const&, std::wstring const&>(
                "RecomputeOptimization", &I::GetRecomputeOptimizationCommand),
            Command<>("RecalculateOutlier", &I::GetRecalculateOutlierCommand),
            Command<>("ClearLastReentryResult", &I::GetClearLastReentryResultCommand),
            Command<bool&>("GetLastReentryWasSuccessful", &I::GetGetLastReentryWasSuccessfulCommand),
            Command<int&>("GetLastReentryDelay", &I::GetGetLastReentryDelayCommand),
            Command<JbMatrix4Rd&>("GetLastReentryTrafo", &I::GetGetLastReentryTrafoCommand),
            Command<int, std::wstring>("InjectSupportGeometry", &I::GetInjectSupportGeometryCommand),
            Command<int, std::wstring>("InjectReferenceGeometry", &I::GetInjectReferenceGeometryCommand),
            Command<int, std::shared_ptr<ISurfelCollection const>>(
                "InjectReferenceGeometrySC", &I::GetInjectReferenceGeometrySCCommand),
            Command<EAreaItems>("AddArea", &I::GetAddAreaCommand),
            Command<EAreaItems, EAreaItems>("MoveArea", &I::GetMoveAreaCommand),
            Command<std::shared_ptr<IModuleParameterSet const>&>(
                "GetGlobalParameterSet", &I::GetGetGlobalParameterSetCommand),
            Command<std::vector<signed char> const&>("WriteRandomBinFile", &I::GetWriteRandomBinFileCommand),
            Command<std::wstring>("ReplaceGeometryAtL0Level", &I::GetReplaceGeometryAtL0LevelCommand),
            Command<float, float, unsigned int, int>("DisturbTransformations", &I::GetDisturbTransformationsCommand),
            Command<bool>("ConnectVisualization", &I::GetConnectVisualizationCommand),
            Value<unsigned int>("NumberOfL0EntitiesInCase", &I::GetNumberOfL0EntitiesInCase),
            Value<unsigned int>("NumberOfL1EntitiesInCase", &I::GetNumberOfL1EntitiesInCase),
            Command<std::function<void(BusinessLayer::ICommonAreas&)>>(
                "DebugDomainTest", &I::GeDebugDomainTestCommand));
        // clang-format on
    }
};
} // namespace Base
