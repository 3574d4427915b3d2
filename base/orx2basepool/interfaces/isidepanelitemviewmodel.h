#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// A button of the side panel: flags, its command and its unlock command. Every property may be read
/// from any thread and lives as long as the item.
///
/// The item-type enumerations name one enumerator per slot of their group in the side panel; what each
/// stands for, and which item goes into which slot, is the configuring code's choice (any 32-bit value
/// may be used).
class ISidePanelItemViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// The nine acquisition-mode buttons, by slot.
    enum class EItemTypeAcquisitionModes : std::int32_t
    {
        AcquisitionMode0 = 0,
        AcquisitionMode1 = 1,
        AcquisitionMode2 = 2,
        AcquisitionMode3 = 3,
        AcquisitionMode4 = 4,
        AcquisitionMode5 = 5,
        AcquisitionMode6 = 6,
        AcquisitionMode7 = 7,
        AcquisitionMode8 = 8,
    };
    /// The eleven add-area buttons, by slot.
    enum class EItemTypeAddAreas : std::int32_t
    {
        AddArea0 = 0,
        AddArea1 = 1,
        AddArea2 = 2,
        AddArea3 = 3,
        AddArea4 = 4,
        AddArea5 = 5,
        AddArea6 = 6,
        AddArea7 = 7,
        AddArea8 = 8,
        AddArea9 = 9,
        AddArea10 = 10,
    };
    /// The two acquisition-option buttons, by slot.
    enum class EItemTypeAcquisitionOptions : std::int32_t
    {
        AcquisitionOption0 = 0,
        AcquisitionOption1 = 1,
    };
    /// The two reconstruction-option buttons, by slot.
    enum class EItemTypeReconstructionOptions : std::int32_t
    {
        ReconstructionOption0 = 0,
        ReconstructionOption1 = 1,
    };

    ~ISidePanelItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `Enabled`.
    virtual IProperty<bool> const& GetEnabled() const = 0;
    /// The property the GUI binds as `Selected`.
    virtual IProperty<bool> const& GetSelected() const = 0;
    /// What pressing the button runs; empty until the configuring code installs one.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetCommand() const = 0;
    /// What unlocking the button runs; empty until the configuring code installs one.
    virtual IProperty<std::shared_ptr<ICommand<>>> const& GetUnlockCommand() const = 0;
};

// "Command": the getter names nothing but the command, so the suffix stays.
/// What the GUI binds of `ISidePanelItemViewModel`, by name (see TDescription).
template <> struct TDescription<ISidePanelItemViewModel> : Describe::TMembersOf<ISidePanelItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("Enabled", &I::GetEnabled),
            Property<bool>("Selected", &I::GetSelected),
            Command<>("Command", &I::GetCommand),
            Command<>("Unlock", &I::GetUnlockCommand));
        // clang-format on
    }
};
} // namespace Base
