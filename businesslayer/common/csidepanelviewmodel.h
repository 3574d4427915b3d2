#pragma once
#include "base/orx2basepool/interfaces/isidepanelviewmodel.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/csidepanelitemviewmodelacquisitionmode.h"
#include "businesslayer/common/csidepanelitemviewmodelacquisitionoption.h"
#include "businesslayer/common/csidepanelitemviewmodeladdarea.h"
#include "businesslayer/common/csidepanelitemviewmodelbase.h"
#include "businesslayer/common/csidepanelitemviewmodelreconstructionoption.h"
#include "businesslayer/common/csidepanelitemviewmodeltool.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>
#include <mutex>

namespace BusinessLayer
{
/// The side panel, a state holder: six flags (all false at first), the acquisition-running event (no
/// handlers at first), five groups of 9, 11, 3, 2 and 2 slots and the unlock slot, all empty at first.
/// The configuring code (or a product class derived from it) makes the items, puts them into the slots,
/// gives them their commands, switches them on and off and fires the event; the panel itself reacts to
/// nothing.
///
/// Filling the groups: through the non-const Get…Items(), which return the panel's own arrays. Filling
/// notifies nobody and is not synchronised: fill the groups before the panel is published (through the
/// GUI configuration) and leave them alone while the GUI may read them.
/// Filling the unlock slot: SetUnlockItem (the non-const GetUnlockItem returns a copy); it notifies
/// nobody and may be called from any thread.
/// The six flags may be read and set from any thread, and the event fired from any thread.
class ORX2_COMMON_EXPORT CSidePanelViewModel
    : public Base::TNotifyPropertyChangedImpl<Base::ISidePanelViewModel>
{
public:
    /// @{
    /// The five groups of buttons, each by slot.
    using AcquisitionModeItems =
        std::array<std::shared_ptr<CSidePanelItemViewModelAcquisitionMode>, kAcquisitionModeCount>;
    using AddAreaItems = std::array<std::shared_ptr<CSidePanelItemViewModelAddArea>, kAddAreaCount>;
    using ToolsItems = std::array<std::shared_ptr<CSidePanelItemViewModelTool>, kToolCount>;
    using AcquisitionOptionsItems =
        std::array<std::shared_ptr<CSidePanelItemViewModelAcquisitionOption>, kAcquisitionOptionCount>;
    using ReconstructionOptionsItems =
        std::array<std::shared_ptr<CSidePanelItemViewModelReconstructionOption>, kReconstructionOptionCount>;
    /// @}

    CSidePanelViewModel();
    ~CSidePanelViewModel() override;

    Base::IProperty<bool> const& GetAcquisitionModeVisibility() const override
    {
        return m_acquisitionModeVisibility;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetAcquisitionModeVisibility() { return m_acquisitionModeVisibility; }
    Base::IProperty<bool> const& GetAddAreaVisibility() const override { return m_addAreaVisibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetAddAreaVisibility() { return m_addAreaVisibility; }
    Base::IProperty<bool> const& GetToolsVisibility() const override { return m_toolsVisibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetToolsVisibility() { return m_toolsVisibility; }
    Base::IProperty<bool> const& GetAcquisitionOptionsVisibility() const override
    {
        return m_acquisitionOptionsVisibility;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetAcquisitionOptionsVisibility() { return m_acquisitionOptionsVisibility; }
    Base::IProperty<bool> const& GetReconstructionOptionsVisibility() const override
    {
        return m_reconstructionOptionsVisibility;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetReconstructionOptionsVisibility() { return m_reconstructionOptionsVisibility; }
    Base::IProperty<bool> const& GetBagelToolDisabled() const override { return m_bagelToolDisabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetBagelToolDisabled() { return m_bagelToolDisabled; }

    Base::IEventSignal<void> const& AcquisitionRunningEvent() const override { return m_acquisitionRunning; }
    /// The event, for the configuring code to fire.
    Base::TEventSignal<void>& AcquisitionRunningEvent() { return m_acquisitionRunning; }

    std::array<std::shared_ptr<Base::ISidePanelItemViewModel>, kAcquisitionModeCount>
    GetAcquisitionModeItems() const override;
    std::array<std::shared_ptr<Base::ISidePanelItemViewModel>, kAddAreaCount>
    GetAddAreaItems() const override;
    std::array<std::shared_ptr<Base::ISidePanelToolItemViewModel>, kToolCount> GetToolsItems() const override;
    std::array<std::shared_ptr<Base::ISidePanelItemViewModel>, kAcquisitionOptionCount>
    GetAcquisitionOptionsItems() const override;
    std::array<std::shared_ptr<Base::ISidePanelItemViewModel>, kReconstructionOptionCount>
    GetReconstructionOptionsItems() const override;
    std::shared_ptr<Base::ISidePanelItemViewModel> GetUnlockItem() const override;

    // The groups themselves, for filling before publication (see the class comment).
    /// The same, with its class: for the host's code.
    AcquisitionModeItems& GetAcquisitionModeItems() { return m_acquisitionModeItems; }
    /// The same, with its class: for the host's code.
    AddAreaItems& GetAddAreaItems() { return m_addAreaItems; }
    /// The same, with its class: for the host's code.
    ToolsItems& GetToolsItems() { return m_toolsItems; }
    /// The same, with its class: for the host's code.
    AcquisitionOptionsItems& GetAcquisitionOptionsItems() { return m_acquisitionOptionsItems; }
    /// The same, with its class: for the host's code.
    ReconstructionOptionsItems& GetReconstructionOptionsItems() { return m_reconstructionOptionsItems; }

    /// A copy of the unlock slot.
    std::shared_ptr<CSidePanelItemViewModelBase> GetUnlockItem();
    /// Fills (or empties) the unlock slot. Notifies nobody; thread-safe; never throws.
    void SetUnlockItem(std::shared_ptr<CSidePanelItemViewModelBase> item) noexcept;

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_acquisitionModeVisibility{false, *this};
    Base::TProperty<bool> m_addAreaVisibility{false, *this};
    Base::TProperty<bool> m_toolsVisibility{false, *this};
    Base::TProperty<bool> m_acquisitionOptionsVisibility{false, *this};
    Base::TProperty<bool> m_reconstructionOptionsVisibility{false, *this};
    Base::TProperty<bool> m_bagelToolDisabled{false, *this};
    Base::TEventSignal<void> m_acquisitionRunning;
    AcquisitionModeItems m_acquisitionModeItems;
    AddAreaItems m_addAreaItems;
    ToolsItems m_toolsItems;
    AcquisitionOptionsItems m_acquisitionOptionsItems;
    ReconstructionOptionsItems m_reconstructionOptionsItems;
    mutable std::mutex m_unlockItemLock;
    std::shared_ptr<CSidePanelItemViewModelBase> m_unlockItem;
};
} // namespace BusinessLayer
