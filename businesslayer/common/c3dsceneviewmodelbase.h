#pragma once
#include "base/orx2basepool/cbindingsourcelocking.h"
#include "base/orx2basepool/interfaces/i3dsceneviewmodel.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Connects the GUI's 3D scene with the business layer: holds the visualization sink the scene renders
/// into, tells the GUI whether a region is being entered, and carries the event that reports region
/// selections.
///
/// This class only provides the region source and the selection event; derived classes (the host's)
/// set the one and fire the other through the protected accessors. The region source is a plain binding
/// source, not a property of this view model: its changes reach its own observers, never PropertyChanged.
/// The sink is a property: the GUI configuration and renderers observe it through Get3dVisualizationSink.
///
/// Thread-safety: every member may be called from any thread; handlers run on the thread that made the
/// change or fired the event.
class ORX2_COMMON_EXPORT C3DSceneViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::I3DSceneViewModel>
{
public:
    /// The source of the region being entered, as the interface hands it out.
    using RegionBeingEnteredSource =
        Base::Binding::TValueBindingSource<bool, Base::Binding::IValueBindingSource<bool>,
                                           Base::Binding::Internal::CBindingSourceLocking>;
    /// The event of a selected region.
    using SelectionEvent = Base::TEventSignal<Base::SRegionSelectionInfo const>;
    /// The renderer's sink.
    using SinkPtr = std::shared_ptr<Base::I3DVisualizationSink>;

    /// No sink, no region being entered (false, status 0), no selection handlers. Throws std::bad_alloc.
    C3DSceneViewModelBase();
    ~C3DSceneViewModelBase() override;

    /// Sets the sink property: PropertyChanged fires once when `sink` differs from the current one
    /// (pointers are compared), never for the same sink again.
    void Set3dVisualizationSink(SinkPtr const& sink) override;
    /// The sink the scene renders into; empty until one is set.
    Base::IProperty<SinkPtr> const& Get3dVisualizationSink() const { return m_visualizationSink; }
    /// The same property, settable: for the host's code.
    Base::TProperty<SinkPtr>& Get3dVisualizationSink() { return m_visualizationSink; }

    Base::IEventSignal<Base::SRegionSelectionInfo const> const& GetSelectionEvent() const override
    {
        return m_selectionEvent;
    }
    Base::Binding::IValueBindingSource<bool> const& GetRegionBeingEnteredProperty() const override
    {
        return m_regionBeingEntered;
    }

    /// Does nothing here: a hook for derived classes that render thumbnails.
    void TriggerThumbnailRendering() override;

protected:
    /// For derived classes: set it while the user enters a region.
    RegionBeingEnteredSource& GetRegionBeingEnteredSource() { return m_regionBeingEntered; }
    /// For derived classes: fire it with each region selection.
    SelectionEvent& GetSelectionEventSignal() { return m_selectionEvent; }

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    Base::TProperty<SinkPtr> m_visualizationSink{nullptr, *this};
    RegionBeingEnteredSource m_regionBeingEntered{false, Base::Binding::kSourceStatusAlive};
    SelectionEvent m_selectionEvent;
};
} // namespace BusinessLayer
