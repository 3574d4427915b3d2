#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/isidepanelitemviewmodel.h"
#include "base/orx2basepool/interfaces/isidepaneltoolitemviewmodel.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <array>
#include <cstddef>
#include <memory>

namespace Base
{
/// The side panel of the acquisition screen: five groups of buttons (acquisition modes, areas that can
/// be added, tools, acquisition options, reconstruction options) with a visibility flag each, the
/// unlock button, the flag BagelToolDisabled and an event announcing a running acquisition.
class ISidePanelViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    static constexpr std::size_t kAcquisitionModeCount = 9;
    static constexpr std::size_t kAddAreaCount = 11;
    static constexpr std::size_t kToolCount = 3;
    static constexpr std::size_t kAcquisitionOptionCount = 2;
    static constexpr std::size_t kReconstructionOptionCount = 2;

    ~ISidePanelViewModel() override = default;

    virtual IProperty<bool> const& GetAcquisitionModeVisibility() const = 0;
    virtual IProperty<bool> const& GetAddAreaVisibility() const = 0;
    virtual IProperty<bool> const& GetToolsVisibility() const = 0;
    virtual IProperty<bool> const& GetAcquisitionOptionsVisibility() const = 0;
    virtual IProperty<bool> const& GetReconstructionOptionsVisibility() const = 0;
    virtual IProperty<bool> const& GetBagelToolDisabled() const = 0;
    /// Copies of the groups, slot `i` for slot `i`; slots never filled are empty.
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAcquisitionModeCount>
    GetAcquisitionModeItems() const = 0;
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAddAreaCount> GetAddAreaItems() const = 0;
    virtual std::array<std::shared_ptr<ISidePanelToolItemViewModel>, kToolCount> GetToolsItems() const = 0;
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAcquisitionOptionCount>
    GetAcquisitionOptionsItems() const = 0;
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kReconstructionOptionCount>
    GetReconstructionOptionsItems() const = 0;
    /// The unlock button, or empty while there is none.
    virtual std::shared_ptr<ISidePanelItemViewModel> GetUnlockItem() const = 0;
    /// Fired by the configuring code when an acquisition runs; handlers run on the firing thread.
    virtual IEventSignal<void> const& AcquisitionRunningEvent() const = 0;
};

template <> struct TDescription<ISidePanelViewModel> : Describe::TMembersOf<ISidePanelViewModel>
{
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("AcquisitionModeVisibility", &I::GetAcquisitionModeVisibility),
            Property<bool>("AddAreaVisibility", &I::GetAddAreaVisibility),
            Property<bool>("ToolsVisibility", &I::GetToolsVisibility),
            Property<bool>("AcquisitionOptionsVisibility", &I::GetAcquisitionOptionsVisibility),
            Property<bool>("ReconstructionOptionsVisibility", &I::GetReconstructionOptionsVisibility),
            Property<bool>("BagelToolDisabled", &I::GetBagelToolDisabled),
            ViewModelGroup<ISidePanelItemViewModel, I::kAcquisitionModeCount>(
                "AcquisitionModeItems", &I::GetAcquisitionModeItems),
            ViewModelGroup<ISidePanelItemViewModel, I::kAddAreaCount>("AddAreaItems", &I::GetAddAreaItems),
            ViewModelGroup<ISidePanelToolItemViewModel, I::kToolCount>("ToolsItems", &I::GetToolsItems),
            ViewModelGroup<ISidePanelItemViewModel, I::kAcquisitionOptionCount>(
                "AcquisitionOptionsItems", &I::GetAcquisitionOptionsItems),
            ViewModelGroup<ISidePanelItemViewModel, I::kReconstructionOptionCount>(
                "ReconstructionOptionsItems", &I::GetReconstructionOptionsItems),
            ViewModel<ISidePanelItemViewModel>("UnlockItem", &I::GetUnlockItem),
            Event<void>("AcquisitionRunningEvent", &I::AcquisitionRunningEvent));
        // clang-format on
    }
};
} // namespace Base
