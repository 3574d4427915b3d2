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
    static constexpr std::size_t kAcquisitionModeCount = 9; ///< Buttons of acquisition modes.
    static constexpr std::size_t kAddAreaCount = 11; ///< Buttons of areas that can be added.
    static constexpr std::size_t kToolCount = 3; ///< Tool buttons.
    static constexpr std::size_t kAcquisitionOptionCount = 2; ///< Buttons of acquisition options.
    static constexpr std::size_t kReconstructionOptionCount = 2; ///< Buttons of reconstruction options.

    ~ISidePanelViewModel() override = default;

    /// The property the GUI binds as `AcquisitionModeVisibility`.
    virtual IProperty<bool> const& GetAcquisitionModeVisibility() const = 0;
    /// The property the GUI binds as `AddAreaVisibility`.
    virtual IProperty<bool> const& GetAddAreaVisibility() const = 0;
    /// The property the GUI binds as `ToolsVisibility`.
    virtual IProperty<bool> const& GetToolsVisibility() const = 0;
    /// The property the GUI binds as `AcquisitionOptionsVisibility`.
    virtual IProperty<bool> const& GetAcquisitionOptionsVisibility() const = 0;
    /// The property the GUI binds as `ReconstructionOptionsVisibility`.
    virtual IProperty<bool> const& GetReconstructionOptionsVisibility() const = 0;
    /// The property the GUI binds as `BagelToolDisabled`.
    virtual IProperty<bool> const& GetBagelToolDisabled() const = 0;
    /// Copies of the groups, slot `i` for slot `i`; slots never filled are empty.
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAcquisitionModeCount>
    GetAcquisitionModeItems() const = 0;
    /// The view models the GUI binds as `AddAreaItems`.
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAddAreaCount> GetAddAreaItems() const = 0;
    /// The view models the GUI binds as `ToolsItems`.
    virtual std::array<std::shared_ptr<ISidePanelToolItemViewModel>, kToolCount> GetToolsItems() const = 0;
    /// The view models the GUI binds as `AcquisitionOptionsItems`.
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kAcquisitionOptionCount>
    GetAcquisitionOptionsItems() const = 0;
    /// The view models the GUI binds as `ReconstructionOptionsItems`.
    virtual std::array<std::shared_ptr<ISidePanelItemViewModel>, kReconstructionOptionCount>
    GetReconstructionOptionsItems() const = 0;
    /// The unlock button, or empty while there is none.
    virtual std::shared_ptr<ISidePanelItemViewModel> GetUnlockItem() const = 0;
    /// Fired by the configuring code when an acquisition runs; handlers run on the firing thread.
    virtual IEventSignal<void> const& AcquisitionRunningEvent() const = 0;
};

/// What the GUI binds of `ISidePanelViewModel`, by name (see TDescription).
template <> struct TDescription<ISidePanelViewModel> : Describe::TMembersOf<ISidePanelViewModel>
{
    /// The members in the order of the description, one descriptor each.
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
