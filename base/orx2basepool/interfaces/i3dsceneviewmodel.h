#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/contracts/i3dvisualizationsink.h"
#include "host/values/sregionselectioninfo.h"

#include <memory>

namespace Base
{
/// What the GUI's 3D scene is bound to: the sink it renders into, whether a region is being entered, and
/// the event that reports region selections. The sources and the event live as long as the view model.
class I3DSceneViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~I3DSceneViewModel() override = default;

    /// Installs the sink the scene renders into (empty: none). Any thread.
    virtual void Set3dVisualizationSink(std::shared_ptr<I3DVisualizationSink> const& sink) = 0;
    /// Fires with each region selection; handlers run on the firing thread.
    virtual IEventSignal<SRegionSelectionInfo const> const& GetSelectionEvent() const = 0;
    /// True while the user is entering a region. Read-only for the GUI.
    virtual Binding::IValueBindingSource<bool> const& GetRegionBeingEnteredProperty() const = 0;
    /// Asks for the thumbnails of the scene to be rendered again.
    virtual void TriggerThumbnailRendering() = 0;
};

/// What the GUI binds of `I3DSceneViewModel`, by name (see TDescription).
template <> struct TDescription<I3DSceneViewModel> : Describe::TMembersOf<I3DSceneViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Event<SRegionSelectionInfo const>("SelectionEvent", &I::GetSelectionEvent),
            ValueSource<bool>("RegionBeingEnteredProperty", &I::GetRegionBeingEnteredProperty));
        // clang-format on
    }
};
} // namespace Base
