#include "businesslayer/common/ccommoncommands.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tcommand.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ccommoncommands");

/// Fills `slot` with a new GUI-locking command under `name` whose action does nothing, and registers it.
template <class... Args>
void InstallNamed(Base::TCommandSlot<Base::ICommand<Args...>>& slot, wchar_t const* name)
{
    slot.Set(Base::MakeRegisteredCommand<Base::TCommand<void, Args...>>([](Args...) {}, name, true));
}
} // namespace

Logging::CLogger const CCommonCommands::s_logger(L"ORX2.CCCommonCommands");

CCommonCommands::CCommonCommands()
{
    InstallNamed(m_engineReplayMode, L"common.Replay");
    InstallNamed(m_engineActivateLoad, L"common.Load");
    InstallNamed(m_engineActivateSave, L"common.Save");
    InstallNamed(m_accuracyTest, L"common.AccuracyTest");
    InstallNamed(m_clearEntities, L"common.ClearEntities");
    InstallNamed(m_applyCutFromFile, L"common.ApplyCutFromFile");
    InstallNamed(m_recomputeOptimization, L"common.RecomputeOptimization");
    InstallNamed(m_clearLastReentryResult, L"common.ClearLastReentryResult");
    InstallNamed(m_getLastReentryWasSuccessful, L"common.GetLastReentryWasSuccessful");
    InstallNamed(m_getLastReentryDelay, L"common.GetLastReentryDelay");
    InstallNamed(m_getLastReentryTrafo, L"common.GetLastReentryTrafo");
    InstallNamed(m_replaceGeometryAtL0Level, L"common.ReplaceGeometryAtL0Level");
}

CCommonCommands::~CCommonCommands() = default;

unsigned int CCommonCommands::GetNumberOfL0EntitiesInCase() const
{
    kSource.Throw(__LINE__, "BusinessLayer::CCommonCommands::GetNumberOfL0EntitiesInCase",
                  L"Not Implemented");
}

unsigned int CCommonCommands::GetNumberOfL1EntitiesInCase() const
{
    kSource.Throw(__LINE__, "BusinessLayer::CCommonCommands::GetNumberOfL1EntitiesInCase",
                  L"Not Implemented");
}

void CCommonCommands::WaitForBackgroundLoadFinished() const
{
    kSource.Throw(__LINE__, "BusinessLayer::CCommonCommands::WaitForBackgroundLoadFinished",
                  L"Not Implemented");
}

bool CCommonCommands::IsReconstructionReady(unsigned int /*unused*/) const
{
    kSource.Throw(__LINE__, "BusinessLayer::CCommonCommands::IsReconstructionReady", L"Not Implemented");
}
} // namespace BusinessLayer
