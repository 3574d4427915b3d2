#include "businesslayer/common/cguiconfigurationbase.h"

#include "base/orx2basepool/interfaces/i3dsceneviewmodel.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccapturekeysviewmodelbase.h"
#include "host/contracts/iacquisitionservice.h"
#include "host/foundation/virtualkeycodes.h"

#include <utility>

namespace BusinessLayer
{
namespace
{
using GenericKeyCommand = Base::TCommand<void, unsigned int, unsigned int, bool>;
using KeyCommand = Base::TCommand<void, unsigned int, unsigned int>;

/// Keys reported to the service's OnDedicatedKey when they go down, and when they come up.
bool IsDedicatedOnPress(unsigned int key) noexcept
{
    return key == VirtualKey::kSpace || key == VirtualKey::kAdd || key == VirtualKey::kOemPlus;
}
bool IsDedicatedOnRelease(unsigned int key) noexcept
{
    return key == VirtualKey::kSpace || key == VirtualKey::kSubtract || key == VirtualKey::kOemMinus;
}
/// F6 to F9 never reach the service from the key commands.
bool IsIgnored(unsigned int key) noexcept
{
    return key >= VirtualKey::kF6 && key <= VirtualKey::kF9;
}

/// The action of "KeyPressed" (`pressed` true) or "KeyReleased". It holds the generic command, so the
/// generic command lives as long as the key commands do, and the service only weakly.
auto MakeKeyAction(std::weak_ptr<Base::IAcquisitionService> service,
                   std::shared_ptr<GenericKeyCommand> generic, bool pressed)
{
    return [service = std::move(service), generic = std::move(generic), pressed](unsigned int key,
                                                                                 unsigned int keyData)
    {
        auto const live = service.lock(); // per key: a service gone meanwhile is skipped
        if (!live)
            return;
        if (pressed ? IsDedicatedOnPress(key) : IsDedicatedOnRelease(key))
        {
            static_cast<void>(live->OnDedicatedKey(pressed)); // released at once, never waited on
            return;
        }
        if (IsIgnored(key))
            return;
        // Through the command, so that generic keys are journalled and published like any execution.
        static_cast<void>(generic->Execute(key, keyData, pressed));
    };
}
} // namespace

Logging::CLogger const CGuiConfigurationBase::s_logger(L"ORX2.CGuiConfigurationBase");

CGuiConfigurationBase::CGuiConfigurationBase()
    // Both observers deliver the current (empty) value at once; the virtual call reaches this class's
    // onVisSinkChange, as the subclass is not constructed yet.
    : m_sinkObserver(m_visualizationSink, [this](SinkPtr const& sink) { onVisSinkChange(sink); }),
      m_sceneObserver(m_3dScene,
                      [this](std::shared_ptr<Base::I3DSceneViewModel> const& scene) { onSceneChange(scene); })
{
}

CGuiConfigurationBase::~CGuiConfigurationBase() = default;

void CGuiConfigurationBase::Set3dVisualizationSink(SinkPtr const& sink)
{
    m_visualizationSink.Set(sink);
}

void CGuiConfigurationBase::onVisSinkChange(SinkPtr const& sink)
{
    if (auto const scene = m_3dScene.Get())
        scene->Set3dVisualizationSink(sink);
}

void CGuiConfigurationBase::onSceneChange(std::shared_ptr<Base::I3DSceneViewModel> const& scene)
{
    if (scene)
        scene->Set3dVisualizationSink(m_visualizationSink.Get());
}

void CGuiConfigurationBase::setupKeyboardAndFootControl(
    std::shared_ptr<Base::IAcquisitionService> const& service)
{
    auto const captureKeys = std::make_shared<CCaptureKeysViewModelBase>();
    m_captureKeys.Set(captureKeys);

    std::weak_ptr<Base::IAcquisitionService> const weakService = service;
    auto generic = Base::MakeRegisteredCommand<GenericKeyCommand>(
        [weakService](unsigned int key, unsigned int keyData, bool pressed)
        {
            if (auto const live = weakService.lock())
                static_cast<void>(live->OnGenericKey(key, keyData, pressed));
        },
        L"CGuiConfigurationBase.GenericKeyPressed", false);

    captureKeys->GetKeyPressedCommand().Set(Base::MakeRegisteredCommand<KeyCommand>(
        MakeKeyAction(weakService, generic, true), L"CGuiConfigurationBase.KeyPressed", false));
    captureKeys->GetKeyReleasedCommand().Set(Base::MakeRegisteredCommand<KeyCommand>(
        MakeKeyAction(weakService, std::move(generic), false), L"CGuiConfigurationBase.KeyReleased", false));
}
} // namespace BusinessLayer
