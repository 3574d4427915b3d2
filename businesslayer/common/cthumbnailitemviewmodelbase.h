#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/interfaces/ithumbnailitemviewmodel.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/foundation/cstringw.h"
#include "host/logging/clogger.h"

#include <memory>
#include <string>

namespace BusinessLayer
{
/// One thumbnail of an area's strip.
///
/// Its select command toggles IsSelected. It is made by the constructor, GUI-locking, and registered
/// under "CThumbnailItemViewModelBase.Select_" + area name + "_" + suffix (for example
/// "CThumbnailItemViewModelBase.Select_LowerJaw_3"), so a script or key can select it by name for as long
/// as the thumbnail holds the command. Two thumbnails of one area need different suffixes: a name taken
/// by a live command stays with that one, and the later thumbnail is then reachable only through its
/// getter (also after the first one died). `SetSelectCommand` replaces the built-in command; the
/// registration expires with it unless someone else still holds it.
///
/// The toggle reads and writes IsSelected in one writer section of the property, so toggles on
/// different threads are never lost. It runs only while the thumbnail is whole: executed through a
/// command pointer that outlived the thumbnail it does nothing, and the destructor waits for a toggle
/// running on another thread.
///
/// Everything else is set from outside. Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CThumbnailItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IThumbnailItemViewModel>
{
public:
    /// Makes the properties (all flags false, empty BitmapID, Number -1, correlation status Undefined)
    /// and the registered select command. Throws std::bad_alloc and what the host's journal throws.
    CThumbnailItemViewModelBase(Base::EAreaItems area, std::wstring const& suffix);
    /// Stops the select command reaching this thumbnail (waiting for a toggle on another thread).
    ~CThumbnailItemViewModelBase() override;

    /// The name the select command of a thumbnail of `area` with `suffix` is registered under.
    static std::wstring GetSelectCommandName(Base::EAreaItems area, std::wstring const& suffix);

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetIsEnabled() const override { return m_isEnabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsEnabled() { return m_isEnabled; }
    Base::IProperty<bool> const& GetIsSelected() const override { return m_isSelected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsSelected() { return m_isSelected; }
    Base::IProperty<bool> const& GetIsReference() const override { return m_isReference; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsReference() { return m_isReference; }
    Base::IProperty<CStringW> const& GetBitmapID() const override { return m_bitmapID; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CStringW>& GetBitmapID() { return m_bitmapID; }
    Base::IProperty<int> const& GetNumber() const override { return m_number; }
    /// The same property, settable: for the host's code.
    Base::TProperty<int>& GetNumber() { return m_number; }
    Base::IProperty<ECorrelationStatus> const& GetCorrelationStatus() const override
    {
        return m_correlationStatus;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<ECorrelationStatus>& GetCorrelationStatus() { return m_correlationStatus; }

    std::shared_ptr<Base::ICommand<>> GetTrashCommand() const override { return m_trashCommand.Get(); }
    void SetTrashCommand(std::shared_ptr<Base::ICommand<>> const& command) override
    {
        m_trashCommand.Set(command);
    }
    std::shared_ptr<Base::ICommand<>> GetSelectCommand() const override { return m_selectCommand.Get(); }
    void SetSelectCommand(std::shared_ptr<Base::ICommand<>> const& command) override
    {
        m_selectCommand.Set(command);
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility{false, *this};
    Base::TProperty<bool> m_isEnabled{false, *this};
    Base::TProperty<bool> m_isSelected{false, *this};
    Base::TProperty<bool> m_isReference{false, *this};
    Base::TProperty<CStringW> m_bitmapID{CStringW(), *this};
    Base::TProperty<int> m_number{-1, *this};
    Base::TProperty<ECorrelationStatus> m_correlationStatus{ECorrelationStatus::Undefined, *this};
    Base::TCommandSlot<Base::ICommand<>> m_trashCommand;
    Base::TCommandSlot<Base::ICommand<>> m_selectCommand;
};
} // namespace BusinessLayer
