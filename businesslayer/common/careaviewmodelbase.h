#pragma once
#include "base/orx2basepool/interfaces/iareaviewmodel.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/careaitemviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace BusinessLayer
{
/// The view model of the area panel: fourteen area items in area order, made by the constructor and
/// never replaced, and the panel's own state.
///
/// Its one piece of logic keeps every item's IsObligatory equal to a required-areas array
/// (`SetRequiredAreasArray`): item `i` is obligatory exactly when position `i` holds level 2. The flags
/// are set before `SetRequiredAreasArray` returns and again on every change of the array, on the thread
/// that changed it; only items whose flag really changes notify. Each delivery logs, on channel
/// "ORX2.CAreaViewModelBase", "Obligatory Areas: %s" with one "<i>: Yes " or "<i>: No " entry per
/// position (source businesslayer/common/careaviewmodelbase, function
/// "BusinessLayer::CAreaViewModelBase::SetRequiredAreasArray", line 62).
/// - A shorter array updates the positions it covers and leaves the others as they were.
/// - A longer array: positions from 14 on belong to no item; they touch nothing and are left out of the
///   log line, so the line always says what the items show.
/// - When the followed array goes away, the flags keep their last values (the log line then has no
///   entries).
///
/// SelectedArea has no public setter: a derived class moves it with the protected `SetSelectedArea`
/// (the reference host's area view model makes it follow the host's selected-area property).
///
/// Thread-safety: every member may be called from any thread; `SetRequiredAreasArray` calls are
/// serialised (the last one wins).
class ORX2_COMMON_EXPORT CAreaViewModelBase : public Base::TNotifyPropertyChangedImpl<Base::IAreaViewModel>
{
public:
    /// The fourteen tiles, by area.
    using Items = std::array<std::shared_ptr<CAreaItemViewModelBase>, Base::kAreaItemCount>;

    /// Not visible, drag and drop enabled, thumbnail bar closed, LowerJaw selected, fourteen new items
    /// none obligatory, no activate command. Throws std::bad_alloc.
    CAreaViewModelBase();
    /// Stops following the required areas before the items go.
    ~CAreaViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetEnableDragDrop() const override { return m_enableDragDrop; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnableDragDrop() { return m_enableDragDrop; }
    Base::IProperty<bool> const& GetIsThumbnailBarActive() const override { return m_isThumbnailBarActive; }
    Base::TProperty<bool>& GetIsThumbnailBarActive() override { return m_isThumbnailBarActive; }

    std::array<std::shared_ptr<Base::IAreaItemViewModel>, Base::kAreaItemCount>
    GetAreaItemViewModels() const override;
    /// The items with their class, through which the owner reaches each item's accessors. The array
    /// itself is read-only: the items never change.
    Items const& GetAreaItemViewModels() { return m_items; }

    Base::IProperty<Base::EAreaItems> const& GetSelectedArea() const override { return m_selectedArea; }

    /// Binds the required-areas proxy to `source` (leaving an earlier source) and follows it with a new
    /// full-array observer that replaces the earlier one; the flags are set before this returns. `source`
    /// must outlive the binding or announce its end. Throws what binding and the first delivery throw.
    void
    SetRequiredAreasArray(Base::Binding::IArrayBindingSource<EAreaRequirementLevel> const& source) override;

    Base::IProperty<std::shared_ptr<Base::ICommand<Base::EAreaItems>>> const&
    GetActivateAreaCommand() const override
    {
        return m_activateAreaCommand;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<std::shared_ptr<Base::ICommand<Base::EAreaItems>>>& GetActivateAreaCommand()
    {
        return m_activateAreaCommand;
    }

protected:
    /// Moves SelectedArea (notifying on a real change). Thread-safe.
    void SetSelectedArea(Base::EAreaItems area) { m_selectedArea.Set(area); }

private:
    static Logging::CLogger const s_logger;

    static Items MakeItems();
    void OnRequiredAreas(std::vector<EAreaRequirementLevel> const& levels);

    Base::TProperty<bool> m_visibility{false, *this};
    Base::TProperty<bool> m_enableDragDrop{true, *this};
    Base::TProperty<bool> m_isThumbnailBarActive{false, *this};
    Base::TProperty<Base::EAreaItems> m_selectedArea{Base::EAreaItems::LowerJaw, *this};
    Items const m_items;
    std::mutex m_bindingMutex; // serialises SetRequiredAreasArray
    Base::Binding::TArrayBindingSourceProxy<EAreaRequirementLevel> m_requiredAreas;
    Base::Binding::CObserver m_requiredAreasObserver;
    Base::TProperty<std::shared_ptr<Base::ICommand<Base::EAreaItems>>> m_activateAreaCommand{nullptr, *this};
};
} // namespace BusinessLayer
