#pragma once
#include "base/orx2basepool/interfaces/iareaitemviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The view model of one scan-area tile. A state holder: the area view model keeps IsObligatory up to
/// date; every other property and the three commands are set by the host's code or a derived class.
/// RemoveThumbnail and WorkIndicatorVisibility are written through their setters only.
///
/// The item owns its thumbnail bar, made by the constructor and handed out as a shared pointer (it
/// lives as long as someone holds it). Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CAreaItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IAreaItemViewModel>
{
public:
    /// All flags false, correlation status Undefined, an empty bar, no commands. Throws std::bad_alloc.
    CAreaItemViewModelBase();
    ~CAreaItemViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetIsObligatory() const override { return m_isObligatory; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsObligatory() { return m_isObligatory; }
    Base::IProperty<bool> const& GetIsLocked() const override { return m_isLocked; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsLocked() { return m_isLocked; }
    Base::IProperty<bool> const& GetIsLockedWithoutData() const override { return m_isLockedWithoutData; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsLockedWithoutData() { return m_isLockedWithoutData; }
    Base::IProperty<bool> const& GetHasUnmergedClusters() const override { return m_hasUnmergedClusters; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetHasUnmergedClusters() { return m_hasUnmergedClusters; }
    Base::IProperty<bool> const& GetIsDragableCopyMove() const override { return m_isDragableCopyMove; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsDragableCopyMove() { return m_isDragableCopyMove; }
    Base::IProperty<bool> const& GetIsDragableDelete() const override { return m_isDragableDelete; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsDragableDelete() { return m_isDragableDelete; }
    Base::IProperty<bool> const& GetIsEnabled() const override { return m_isEnabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsEnabled() { return m_isEnabled; }
    Base::IProperty<bool> const& GetWorkIndicatorVisibility() const override
    {
        return m_workIndicatorVisibility;
    }
    /// Shows or hides the tile's work indicator.
    void SetWorkIndicatorVisibility(bool visible) { m_workIndicatorVisibility.Set(visible); }
    Base::IProperty<bool> const& GetRemoveThumbnail() const override { return m_removeThumbnail; }
    /// Tells the GUI to remove the tile's thumbnail (true) or not.
    void SetRemoveThumbnail(bool remove) { m_removeThumbnail.Set(remove); }
    Base::IProperty<ECorrelationStatus> const& GetCorrelationStatus() const override
    {
        return m_correlationStatus;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<ECorrelationStatus>& GetCorrelationStatus() { return m_correlationStatus; }

    std::shared_ptr<Base::IThumbnailBarViewModel> GetThumbnailBarConfiguartion() const override
    {
        return m_thumbnailBar;
    }
    /// The same bar with its class, for the code that fills it.
    std::shared_ptr<CThumbnailBarViewModelBase> GetThumbnailBarConfiguartion() { return m_thumbnailBar; }

    std::shared_ptr<Base::ICommand<>> GetTrashCommand() const override { return m_trashCommand.Get(); }
    void SetTrashCommand(std::shared_ptr<Base::ICommand<>> const& command) override
    {
        m_trashCommand.Set(command);
    }
    std::shared_ptr<Base::ICommand<Base::EAreaItems>> GetCopyCommand() const override
    {
        return m_copyCommand.Get();
    }
    void SetCopyCommand(std::shared_ptr<Base::ICommand<Base::EAreaItems>> const& command) override
    {
        m_copyCommand.Set(command);
    }
    std::shared_ptr<Base::ICommand<Base::EAreaItems>> GetMoveCommand() const override
    {
        return m_moveCommand.Get();
    }
    void SetMoveCommand(std::shared_ptr<Base::ICommand<Base::EAreaItems>> const& command) override
    {
        m_moveCommand.Set(command);
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility{false, *this};
    Base::TProperty<bool> m_isObligatory{false, *this};
    Base::TProperty<bool> m_isLocked{false, *this};
    Base::TProperty<bool> m_isLockedWithoutData{false, *this};
    Base::TProperty<bool> m_hasUnmergedClusters{false, *this};
    Base::TProperty<bool> m_isDragableCopyMove{false, *this};
    Base::TProperty<bool> m_isDragableDelete{false, *this};
    Base::TProperty<bool> m_isEnabled{false, *this};
    Base::TProperty<bool> m_workIndicatorVisibility{false, *this};
    Base::TProperty<bool> m_removeThumbnail{false, *this};
    Base::TProperty<ECorrelationStatus> m_correlationStatus{ECorrelationStatus::Undefined, *this};
    std::shared_ptr<CThumbnailBarViewModelBase> const m_thumbnailBar;
    Base::TCommandSlot<Base::ICommand<>> m_trashCommand;
    Base::TCommandSlot<Base::ICommand<Base::EAreaItems>> m_copyCommand;
    Base::TCommandSlot<Base::ICommand<Base::EAreaItems>> m_moveCommand;
};
} // namespace BusinessLayer
