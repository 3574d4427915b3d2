#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/foundation/cstringw.h"

#include <cstdint>
#include <memory>

namespace Base
{
/// What the GUI sees of one thumbnail in an area's strip: a small picture that can be selected, marked
/// as reference and thrown away. Every property lives as long as the thumbnail.
class IThumbnailItemViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    /// How well the thumbnail's data correlate. A signed 32-bit enumeration whose other values the host
    /// assigns; a thumbnail starts at Undefined.
    enum class ECorrelationStatus : std::int32_t
    {
        Undefined = -1,
    };

    ~IThumbnailItemViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `IsEnabled`.
    virtual IProperty<bool> const& GetIsEnabled() const = 0;
    /// The property the GUI binds as `IsSelected`.
    virtual IProperty<bool> const& GetIsSelected() const = 0;
    /// The property the GUI binds as `IsReference`.
    virtual IProperty<bool> const& GetIsReference() const = 0;
    /// Identifies the thumbnail's picture; the bar looks thumbnails up by it.
    virtual IProperty<CStringW> const& GetBitmapID() const = 0;
    /// The property the GUI binds as `Number`.
    virtual IProperty<int> const& GetNumber() const = 0;
    /// The property the GUI binds as `CorrelationStatus`.
    virtual IProperty<ECorrelationStatus> const& GetCorrelationStatus() const = 0;
    /// Plain command slots: setting one notifies nobody; an empty pointer while none is installed.
    virtual std::shared_ptr<ICommand<>> GetTrashCommand() const = 0;
    /// Replaces what `GetTrashCommand` hands out.
    virtual void SetTrashCommand(std::shared_ptr<ICommand<>> const& command) = 0;
    /// The command the GUI executes as `Select`.
    virtual std::shared_ptr<ICommand<>> GetSelectCommand() const = 0;
    /// Replaces what `GetSelectCommand` hands out.
    virtual void SetSelectCommand(std::shared_ptr<ICommand<>> const& command) = 0;
};

/// What the GUI binds of `IThumbnailItemViewModel`, by name (see TDescription).
template <> struct TDescription<IThumbnailItemViewModel> : Describe::TMembersOf<IThumbnailItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("IsEnabled", &I::GetIsEnabled),
            Property<bool>("IsSelected", &I::GetIsSelected),
            Property<bool>("IsReference", &I::GetIsReference),
            Property<CStringW>("BitmapID", &I::GetBitmapID),
            Property<int>("Number", &I::GetNumber),
            Property<I::ECorrelationStatus>("CorrelationStatus", &I::GetCorrelationStatus),
            Command<>("Trash", &I::GetTrashCommand),
            Command<>("Select", &I::GetSelectCommand));
        // clang-format on
    }
};
} // namespace Base
