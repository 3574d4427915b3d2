#pragma once
#include "base/orx2basepool/interfaces/icommoncommands.h"
#include "base/orx2basepool/tcommandslot.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>
#include <utility>

namespace BusinessLayer
{
/// The library's common command set: one holder of the engine's 34 command slots.
///
/// The constructor creates twelve of them, each a GUI-locking command whose action does nothing, and
/// registers them in the process-wide registry in this order: "common.Replay", "common.Load",
/// "common.Save", "common.AccuracyTest", "common.ClearEntities", "common.ApplyCutFromFile",
/// "common.RecomputeOptimization", "common.ClearLastReentryResult", "common.GetLastReentryWasSuccessful",
/// "common.GetLastReentryDelay", "common.GetLastReentryTrafo", "common.ReplaceGeometryAtL0Level". A name
/// already taken by a live command stays with that one (a second set is still made whole; its commands
/// are then reached through its getters only). The other 22 slots stay empty until the host installs a
/// command. Executing a default command does only what every command does (journal, command stream,
/// GUI-locking count); out-parameters are left as the caller passed them.
///
/// Setters replace their slot and register nothing; the registry holds the named commands weakly, so a
/// replaced default command's entry expires as soon as nobody else holds it, and all entries expire with
/// this object. Slots are released in the reverse of their declaration order.
///
/// Thread-safety: getters and setters may be called from any thread at the same time (each slot guards
/// its pointer); commands run on the executing thread. The four queries are not implemented here and
/// throw; a derived class may answer them.
class ORX2_COMMON_EXPORT CCommonCommands : public Base::ICommonCommands
{
public:
    /// Creates and registers the twelve named commands. Throws std::bad_alloc and what the host's
    /// journal throws.
    CCommonCommands();
    ~CCommonCommands() override;

    // clang-format off
    std::shared_ptr<EngineReplayModeCommand> GetEngineReplayModeCommand() const override { return m_engineReplayMode.Get(); }
    /// Installs what `GetEngineReplayModeCommand` hands out; an empty pointer removes it.
    void SetEngineReplayModeCommand(std::shared_ptr<EngineReplayModeCommand> command) { m_engineReplayMode.Set(std::move(command)); }
    std::shared_ptr<EngineActivateSaveCommand> GetEngineActivateSaveCommand() const override { return m_engineActivateSave.Get(); }
    /// Installs what `GetEngineActivateSaveCommand` hands out; an empty pointer removes it.
    void SetEngineActivateSaveCommand(std::shared_ptr<EngineActivateSaveCommand> command) { m_engineActivateSave.Set(std::move(command)); }
    std::shared_ptr<EngineActivateLoadCommand> GetEngineActivateLoadCommand() const override { return m_engineActivateLoad.Get(); }
    /// Installs what `GetEngineActivateLoadCommand` hands out; an empty pointer removes it.
    void SetEngineActivateLoadCommand(std::shared_ptr<EngineActivateLoadCommand> command) { m_engineActivateLoad.Set(std::move(command)); }
    std::shared_ptr<AccuracyTestCommand> GetAccuracyTestCommand() const override { return m_accuracyTest.Get(); }
    /// Installs what `GetAccuracyTestCommand` hands out; an empty pointer removes it.
    void SetAccuracyTestCommand(std::shared_ptr<AccuracyTestCommand> const& command) { m_accuracyTest.Set(command); }
    std::shared_ptr<ExportReconstructionCommand> GetExportReconstructionCommand() const override { return m_exportReconstruction.Get(); }
    /// Installs what `GetExportReconstructionCommand` hands out; an empty pointer removes it.
    void SetExportReconstructionCommand(std::shared_ptr<ExportReconstructionCommand> const& command) { m_exportReconstruction.Set(command); }
    std::shared_ptr<ExportAreaContentCommand> GetExportAreaContentCommand() const override { return m_exportAreaContent.Get(); }
    /// Installs what `GetExportAreaContentCommand` hands out; an empty pointer removes it.
    void SetExportAreaContentCommand(std::shared_ptr<ExportAreaContentCommand> const& command) { m_exportAreaContent.Set(command); }
    std::shared_ptr<DebugOptimizationCommand> GetDebugOptimizationCommand() const override { return m_debugOptimization.Get(); }
    /// Installs what `GetDebugOptimizationCommand` hands out; an empty pointer removes it.
    void SetDebugOptimizationCommand(std::shared_ptr<DebugOptimizationCommand> const& command) { m_debugOptimization.Set(command); }
    std::shared_ptr<UnlockAreasCommand> GetUnlockAreasCommand() const override { return m_unlockAreas.Get(); }
    /// Installs what `GetUnlockAreasCommand` hands out; an empty pointer removes it.
    void SetUnlockAreasCommand(std::shared_ptr<UnlockAreasCommand> const& command) { m_unlockAreas.Set(command); }
    std::shared_ptr<AreaSetDoReconstructionCommand> GetAreaSetDoReconstructionCommand() const override { return m_areaSetDoReconstruction.Get(); }
    /// Installs what `GetAreaSetDoReconstructionCommand` hands out; an empty pointer removes it.
    void SetAreaSetDoReconstructionCommand(std::shared_ptr<AreaSetDoReconstructionCommand> const& command) { m_areaSetDoReconstruction.Set(command); }
    std::shared_ptr<AreasWaitForIdleCommand> GetAreasWaitForIdleCommand() const override { return m_areasWaitForIdle.Get(); }
    /// Installs what `GetAreasWaitForIdleCommand` hands out; an empty pointer removes it.
    void SetAreasWaitForIdleCommand(std::shared_ptr<AreasWaitForIdleCommand> const& command) { m_areasWaitForIdle.Set(command); }
    std::shared_ptr<SaveAreaEntitiesCommand> GetSaveAreaEntitiesCommand() const override { return m_saveAreaEntities.Get(); }
    /// Installs what `GetSaveAreaEntitiesCommand` hands out; an empty pointer removes it.
    void SetSaveAreaEntitiesCommand(std::shared_ptr<SaveAreaEntitiesCommand> const& command) { m_saveAreaEntities.Set(command); }
    std::shared_ptr<SaveAreaCommand> GetSaveAreaCommand() const override { return m_saveArea.Get(); }
    /// Installs what `GetSaveAreaCommand` hands out; an empty pointer removes it.
    void SetSaveAreaCommand(std::shared_ptr<SaveAreaCommand> const& command) { m_saveArea.Set(command); }
    std::shared_ptr<SwitchAreaOptimizationTypeCommand> GetSwitchAreaOptimizationTypeCommand() const override { return m_switchAreaOptimizationType.Get(); }
    /// Installs what `GetSwitchAreaOptimizationTypeCommand` hands out; an empty pointer removes it.
    void SetSwitchAreaOptimizationTypeCommand(std::shared_ptr<SwitchAreaOptimizationTypeCommand> const& command) { m_switchAreaOptimizationType.Set(command); }
    std::shared_ptr<TriggerReconstructionCommand> GetTriggerReconstructionCommand() const override { return m_triggerReconstruction.Get(); }
    /// Installs what `GetTriggerReconstructionCommand` hands out; an empty pointer removes it.
    void SetTriggerReconstructionCommand(std::shared_ptr<TriggerReconstructionCommand> const& command) { m_triggerReconstruction.Set(command); }
    std::shared_ptr<SaveSurfelCollectionCommand> GetSaveSurfelCollectionCommand() const override { return m_saveSurfelCollection.Get(); }
    /// Installs what `GetSaveSurfelCollectionCommand` hands out; an empty pointer removes it.
    void SetSaveSurfelCollectionCommand(std::shared_ptr<SaveSurfelCollectionCommand> const& command) { m_saveSurfelCollection.Set(command); }
    std::shared_ptr<ClearEntitiesCommand> GetClearEntitiesCommand() const override { return m_clearEntities.Get(); }
    /// Installs what `GetClearEntitiesCommand` hands out; an empty pointer removes it.
    void SetClearEntitiesCommand(std::shared_ptr<ClearEntitiesCommand> const& command) { m_clearEntities.Set(command); }
    std::shared_ptr<ApplyCutFromFileCommand> GetApplyCutFromFileCommand() const override { return m_applyCutFromFile.Get(); }
    /// Installs what `GetApplyCutFromFileCommand` hands out; an empty pointer removes it.
    void SetApplyCutFromFileCommand(std::shared_ptr<ApplyCutFromFileCommand> const& command) { m_applyCutFromFile.Set(command); }
    std::shared_ptr<RecomputeOptimizationCommand> GetRecomputeOptimizationCommand() const override { return m_recomputeOptimization.Get(); }
    /// Installs what `GetRecomputeOptimizationCommand` hands out; an empty pointer removes it.
    void SetRecomputeOptimizationCommand(std::shared_ptr<RecomputeOptimizationCommand> const& command) { m_recomputeOptimization.Set(command); }
    std::shared_ptr<RecalculateOutlierCommand> GetRecalculateOutlierCommand() const override { return m_recalculateOutlier.Get(); }
    /// Installs what `GetRecalculateOutlierCommand` hands out; an empty pointer removes it.
    void SetRecalculateOutlierCommand(std::shared_ptr<RecalculateOutlierCommand> const& command) { m_recalculateOutlier.Set(command); }
    std::shared_ptr<ClearLastReentryResultCommand> GetClearLastReentryResultCommand() const override { return m_clearLastReentryResult.Get(); }
    /// Installs what `GetClearLastReentryResultCommand` hands out; an empty pointer removes it.
    void SetClearLastReentryResultCommand(std::shared_ptr<ClearLastReentryResultCommand> const& command) { m_clearLastReentryResult.Set(command); }
    std::shared_ptr<GetLastReentryWasSuccessfulCommand> GetGetLastReentryWasSuccessfulCommand() const override { return m_getLastReentryWasSuccessful.Get(); }
    /// Installs what `GetGetLastReentryWasSuccessfulCommand` hands out; an empty pointer removes it.
    void SetGetLastReentryWasSuccessfulCommand(std::shared_ptr<GetLastReentryWasSuccessfulCommand> const& command) { m_getLastReentryWasSuccessful.Set(command); }
    std::shared_ptr<GetLastReentryDelayCommand> GetGetLastReentryDelayCommand() const override { return m_getLastReentryDelay.Get(); }
    /// Installs what `GetGetLastReentryDelayCommand` hands out; an empty pointer removes it.
    void SetGetLastReentryDelayCommand(std::shared_ptr<GetLastReentryDelayCommand> const& command) { m_getLastReentryDelay.Set(command); }
    std::shared_ptr<GetLastReentryTrafoCommand> GetGetLastReentryTrafoCommand() const override { return m_getLastReentryTrafo.Get(); }
    /// Installs what `GetGetLastReentryTrafoCommand` hands out; an empty pointer removes it.
    void SetGetLastReentryTrafoCommand(std::shared_ptr<GetLastReentryTrafoCommand> const& command) { m_getLastReentryTrafo.Set(command); }
    std::shared_ptr<InjectSupportGeometryCommand> GetInjectSupportGeometryCommand() const override { return m_injectSupportGeometry.Get(); }
    /// Installs what `GetInjectSupportGeometryCommand` hands out; an empty pointer removes it.
    void SetInjectSupportGeometryCommand(std::shared_ptr<InjectSupportGeometryCommand> const& command) { m_injectSupportGeometry.Set(command); }
    std::shared_ptr<InjectReferenceGeometryCommand> GetInjectReferenceGeometryCommand() const override { return m_injectReferenceGeometry.Get(); }
    /// Installs what `GetInjectReferenceGeometryCommand` hands out; an empty pointer removes it.
    void SetInjectReferenceGeometryCommand(std::shared_ptr<InjectReferenceGeometryCommand> const& command) { m_injectReferenceGeometry.Set(command); }
    std::shared_ptr<InjectReferenceGeometrySCCommand> GetInjectReferenceGeometrySCCommand() const override { return m_injectReferenceGeometrySC.Get(); }
    /// Installs what `GetInjectReferenceGeometrySCCommand` hands out; an empty pointer removes it.
    void SetInjectReferenceGeometrySCCommand(std::shared_ptr<InjectReferenceGeometrySCCommand> const& command) { m_injectReferenceGeometrySC.Set(command); }
    std::shared_ptr<AddAreaCommand> GetAddAreaCommand() const override { return m_addArea.Get(); }
    /// Installs what `GetAddAreaCommand` hands out; an empty pointer removes it.
    void SetAddAreaCommand(std::shared_ptr<AddAreaCommand> const& command) { m_addArea.Set(command); }
    std::shared_ptr<MoveAreaCommand> GetMoveAreaCommand() const override { return m_moveArea.Get(); }
    /// Installs what `GetMoveAreaCommand` hands out; an empty pointer removes it.
    void SetMoveAreaCommand(std::shared_ptr<MoveAreaCommand> const& command) { m_moveArea.Set(command); }
    std::shared_ptr<GetGlobalParameterSetCommand> GetGetGlobalParameterSetCommand() const override { return m_getGlobalParameterSet.Get(); }
    /// Installs what `GetGetGlobalParameterSetCommand` hands out; an empty pointer removes it.
    void SetGetGlobalParameterSetCommand(std::shared_ptr<GetGlobalParameterSetCommand> const& command) { m_getGlobalParameterSet.Set(command); }
    std::shared_ptr<WriteRandomBinFileCommand> GetWriteRandomBinFileCommand() const override { return m_writeRandomBinFile.Get(); }
    /// Installs what `GetWriteRandomBinFileCommand` hands out; an empty pointer removes it.
    void SetWriteRandomBinFileCommand(std::shared_ptr<WriteRandomBinFileCommand> const& command) { m_writeRandomBinFile.Set(command); }
    std::shared_ptr<ReplaceGeometryAtL0LevelCommand> GetReplaceGeometryAtL0LevelCommand() const override { return m_replaceGeometryAtL0Level.Get(); }
    /// Installs what `GetReplaceGeometryAtL0LevelCommand` hands out; an empty pointer removes it.
    void SetReplaceGeometryAtL0LevelCommand(std::shared_ptr<ReplaceGeometryAtL0LevelCommand> const& command) { m_replaceGeometryAtL0Level.Set(command); }
    std::shared_ptr<DisturbTransformationsCommand> GetDisturbTransformationsCommand() const override { return m_disturbTransformations.Get(); }
    /// Installs what `GetDisturbTransformationsCommand` hands out; an empty pointer removes it.
    void SetDisturbTransformationsCommand(std::shared_ptr<DisturbTransformationsCommand> const& command) { m_disturbTransformations.Set(command); }
    std::shared_ptr<ConnectVisualizationCommand> GetConnectVisualizationCommand() const override { return m_connectVisualization.Get(); }
    /// Installs what `GetConnectVisualizationCommand` hands out; an empty pointer removes it.
    void SetConnectVisualizationCommand(std::shared_ptr<ConnectVisualizationCommand> const& command) { m_connectVisualization.Set(command); }
    // clang-format on

    /// Throw OrxException "Not Implemented" (source businesslayer/common/ccommoncommands) on every call.
    unsigned int GetNumberOfL0EntitiesInCase() const override;
    unsigned int GetNumberOfL1EntitiesInCase() const override;
    void WaitForBackgroundLoadFinished() const override;
    bool IsReconstructionReady(unsigned int) const override;

    // clang-format off
    /// The command the engine's domain tests execute with the areas (not described: no GUI binds it).
    std::shared_ptr<DebugDomainTestCommand> GeDebugDomainTestCommand() const override { return m_debugDomainTest.Get(); }
    /// Installs what `GetDebugDomainTestCommand` hands out; an empty pointer removes it.
    void SetDebugDomainTestCommand(std::shared_ptr<DebugDomainTestCommand> const& command) { m_debugDomainTest.Set(command); }
    // clang-format on

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    // The engine's order of its slots, not the interface's; they are released in reverse.
    Base::TCommandSlot<EngineReplayModeCommand> m_engineReplayMode;
    Base::TCommandSlot<EngineActivateSaveCommand> m_engineActivateSave;
    Base::TCommandSlot<EngineActivateLoadCommand> m_engineActivateLoad;
    Base::TCommandSlot<AccuracyTestCommand> m_accuracyTest;
    Base::TCommandSlot<ExportReconstructionCommand> m_exportReconstruction;
    Base::TCommandSlot<SwitchAreaOptimizationTypeCommand> m_switchAreaOptimizationType;
    Base::TCommandSlot<ExportAreaContentCommand> m_exportAreaContent;
    Base::TCommandSlot<DebugOptimizationCommand> m_debugOptimization;
    Base::TCommandSlot<AreaSetDoReconstructionCommand> m_areaSetDoReconstruction;
    Base::TCommandSlot<AreasWaitForIdleCommand> m_areasWaitForIdle;
    Base::TCommandSlot<UnlockAreasCommand> m_unlockAreas;
    Base::TCommandSlot<SaveAreaEntitiesCommand> m_saveAreaEntities;
    Base::TCommandSlot<SaveAreaCommand> m_saveArea;
    Base::TCommandSlot<TriggerReconstructionCommand> m_triggerReconstruction;
    Base::TCommandSlot<SaveSurfelCollectionCommand> m_saveSurfelCollection;
    Base::TCommandSlot<ClearEntitiesCommand> m_clearEntities;
    Base::TCommandSlot<ApplyCutFromFileCommand> m_applyCutFromFile;
    Base::TCommandSlot<RecomputeOptimizationCommand> m_recomputeOptimization;
    Base::TCommandSlot<RecalculateOutlierCommand> m_recalculateOutlier;
    Base::TCommandSlot<ClearLastReentryResultCommand> m_clearLastReentryResult;
    Base::TCommandSlot<GetLastReentryWasSuccessfulCommand> m_getLastReentryWasSuccessful;
    Base::TCommandSlot<GetLastReentryDelayCommand> m_getLastReentryDelay;
    Base::TCommandSlot<GetLastReentryTrafoCommand> m_getLastReentryTrafo;
    Base::TCommandSlot<InjectSupportGeometryCommand> m_injectSupportGeometry;
    Base::TCommandSlot<InjectReferenceGeometryCommand> m_injectReferenceGeometry;
    Base::TCommandSlot<InjectReferenceGeometrySCCommand> m_injectReferenceGeometrySC;
    Base::TCommandSlot<AddAreaCommand> m_addArea;
    Base::TCommandSlot<MoveAreaCommand> m_moveArea;
    Base::TCommandSlot<GetGlobalParameterSetCommand> m_getGlobalParameterSet;
    Base::TCommandSlot<WriteRandomBinFileCommand> m_writeRandomBinFile;
    Base::TCommandSlot<ConnectVisualizationCommand> m_connectVisualization;
    Base::TCommandSlot<DebugDomainTestCommand> m_debugDomainTest;
    Base::TCommandSlot<ReplaceGeometryAtL0LevelCommand> m_replaceGeometryAtL0Level;
    Base::TCommandSlot<DisturbTransformationsCommand> m_disturbTransformations;
};
} // namespace BusinessLayer
