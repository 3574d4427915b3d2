#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>
#include <vector>

namespace BusinessLayer
{
/// The scan areas a case prescribes, and the area to activate first.
///
/// The levels are set through the serializable, GUI-locking command
/// "CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel", registered under that name for
/// as long as this model lives, so every change is journalled, published on the command stream and can
/// be replayed by name. Its action writes the levels into the required areas array, derives the default
/// active area from them and writes that area into the host's selected-area property.
///
/// Thread-safety: every member may be called from any thread; the array and the properties guard
/// themselves. Executions on several threads at once leave the default active area derived from the
/// levels the array holds at the end (each execution derives it from the array as it finds it, again
/// while another execution changed the array meanwhile), and the selected area set to that default.
/// The command's action runs only while the model is whole: an execution through a command pointer that
/// outlived the model (from the registry, on another thread) does nothing, and the destructor waits for
/// an execution running on another thread.
class ORX2_COMMON_EXPORT CCaseRequiredAreasDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ICaseRequiredAreasDataExchangeModel>
{
public:
    /// The command that applies a whole list of levels, one per area.
    using UpdateCommand = Base::TSerializableCommand<void, std::vector<EAreaRequirementLevel>>;

    /// Creates and registers the update command. `selectedArea` is the host's property of the selected
    /// scan area; it is held weakly and may be empty. DefaultActiveArea starts at LowerJaw. Throws
    /// std::bad_alloc and what the host's journal throws.
    explicit CCaseRequiredAreasDataExchangeModelBase(
        std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea);
    ~CCaseRequiredAreasDataExchangeModelBase() override;

    /// Executes the update command with a copy of `levels` and returns when it has run. Throws what the
    /// execution throws.
    void SetRequiredAreasArray(std::vector<EAreaRequirementLevel> const& levels) override;
    /// The prescribed levels, position = EAreaItems value. Empty until the first update.
    Base::Binding::IArrayProperty<EAreaRequirementLevel> const& GetRequiredAreasArray() override { return m_requiredAreas; }
    /// The area to activate first.
    Base::IProperty<Base::EAreaItems> const& GetDefaultActiveArea() const override { return m_defaultActiveArea; }
    /// The same property, settable: for the host's code.
    Base::TProperty<Base::EAreaItems>& GetDefaultActiveArea() { return m_defaultActiveArea; }

    /// Derives DefaultActiveArea from `levels` without touching the array, and logs it. Without an
    /// obligatory jaw (LowerJaw or UpperJaw) it is LowerJaw; with one it is PreOpLower when that is
    /// obligatory, else PreOpUpper when that is, else the obligatory jaw (LowerJaw first). Levels with
    /// fewer than 14 entries change and log nothing. An unchanged default notifies nothing.
    void UpdateDefaultActiveArea(std::vector<EAreaRequirementLevel> const& levels);

private:
    static Logging::CLogger const s_logger;

    void OnUpdate(std::weak_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea,
                  std::vector<EAreaRequirementLevel> const& levels);

    Base::Binding::TArrayProperty<EAreaRequirementLevel> m_requiredAreas;
    std::shared_ptr<UpdateCommand> m_updateCommand;
    Base::TProperty<Base::EAreaItems> m_defaultActiveArea{Base::EAreaItems::LowerJaw, *this};
};
} // namespace BusinessLayer
