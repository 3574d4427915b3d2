#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/ithumbnailbarviewmodel.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// What the GUI sees of one scan-area tile of the area panel: its look, its drag-and-drop abilities,
/// its thumbnail strip and its three area commands. Every property lives as long as the item.
class IAreaItemViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// How well the area's data correlate. A signed 32-bit enumeration whose other values the host
    /// assigns; an item starts at Undefined.
    enum class ECorrelationStatus : std::int32_t
    {
        Undefined = -1,
    };

    ~IAreaItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The area is required for the current case.
    virtual IProperty<bool> const& GetIsObligatory() const = 0;
    /// The property the GUI binds as `IsLocked`.
    virtual IProperty<bool> const& GetIsLocked() const = 0;
    /// The property the GUI binds as `IsLockedWithoutData`.
    virtual IProperty<bool> const& GetIsLockedWithoutData() const = 0;
    /// The property the GUI binds as `HasUnmergedClusters`.
    virtual IProperty<bool> const& GetHasUnmergedClusters() const = 0;
    /// The property the GUI binds as `IsDragableCopyMove`.
    virtual IProperty<bool> const& GetIsDragableCopyMove() const = 0;
    /// The property the GUI binds as `IsDragableDelete`.
    virtual IProperty<bool> const& GetIsDragableDelete() const = 0;
    /// The property the GUI binds as `IsEnabled`.
    virtual IProperty<bool> const& GetIsEnabled() const = 0;
    /// The property the GUI binds as `WorkIndicatorVisibility`.
    virtual IProperty<bool> const& GetWorkIndicatorVisibility() const = 0;
    /// The property the GUI binds as `RemoveThumbnail`.
    virtual IProperty<bool> const& GetRemoveThumbnail() const = 0;
    /// The property the GUI binds as `CorrelationStatus`.
    virtual IProperty<ECorrelationStatus> const& GetCorrelationStatus() const = 0;
    /// The area's thumbnail strip; the same object for the item's whole life.
    virtual std::shared_ptr<IThumbnailBarViewModel> GetThumbnailBarConfiguartion() const = 0;
    /// Plain command slots: setting one notifies nobody; an empty pointer while none is installed. Copy
    /// and move take the target area.
    virtual std::shared_ptr<ICommand<>> GetTrashCommand() const = 0;
    /// Replaces what `GetTrashCommand` hands out.
    virtual void SetTrashCommand(std::shared_ptr<ICommand<>> const& command) = 0;
    /// The command the GUI executes as `Copy`.
    virtual std::shared_ptr<ICommand<EAreaItems>> GetCopyCommand() const = 0;
    /// Replaces what `GetCopyCommand` hands out.
    virtual void SetCopyCommand(std::shared_ptr<ICommand<EAreaItems>> const& command) = 0;
    /// The command the GUI executes as `Move`.
    virtual std::shared_ptr<ICommand<EAreaItems>> GetMoveCommand() const = 0;
    /// Replaces what `GetMoveCommand` hands out.
    virtual void SetMoveCommand(std::shared_ptr<ICommand<EAreaItems>> const& command) = 0;
};

// "ThumbnailBar": the getter's name is misspelt, the GUI's is not.
/// What the GUI binds of `IAreaItemViewModel`, by name (see TDescription).
template <> struct TDescription<IAreaItemViewModel> : Describe::TMembersOf<IAreaItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("IsObligatory", &I::GetIsObligatory),
            Property<bool>("IsLocked", &I::GetIsLocked),
            Property<bool>("IsLockedWithoutData", &I::GetIsLockedWithoutData),
            Property<bool>("HasUnmergedClusters", &I::GetHasUnmergedClusters),
            Property<bool>("IsDragableCopyMove", &I::GetIsDragableCopyMove),
            Property<bool>("IsDragableDelete", &I::GetIsDragableDelete),
            Property<bool>("IsEnabled", &I::GetIsEnabled),
            Property<bool>("WorkIndicatorVisibility", &I::GetWorkIndicatorVisibility),
            Property<bool>("RemoveThumbnail", &I::GetRemoveThumbnail),
            Property<I::ECorrelationStatus>("CorrelationStatus", &I::GetCorrelationStatus),
            ViewModel<IThumbnailBarViewModel>("ThumbnailBar", &I::GetThumbnailBarConfiguartion),
            Command<>("Trash", &I::GetTrashCommand),
            Command<EAreaItems>("Copy", &I::GetCopyCommand),
            Command<EAreaItems>("Move", &I::GetMoveCommand));
        // clang-format on
    }
};
} // namespace Base
