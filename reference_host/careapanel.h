#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/iproperty.h"
#include "businesslayer/common/ctrashviewmodelbase.h"
#include "reference_host/careaviewmodel.h"
#include "reference_host/crecordingareacommands.h"
#include "reference_host/cthumbnailsource.h"

#include <array>
#include <memory>

namespace ReferenceHost
{
/// The area panel as a host's configuring code sets it up: the area view model following the host's
/// selected-area property, one thumbnail source per area bound to that area's bar, the recording area
/// commands installed in every item, and the trash with its click command. Tests and the simulator
/// drive the engine's side through the sources and read the GUI's side through the view models.
///
/// The host binds the required areas itself (`GetAreaViewModel()->SetRequiredAreasArray(...)`), to
/// the array it wants the tiles to follow, such as the dynamic required-areas output.
/// Thread-safety: as its parts. Destruction: the view models go before the sources they are bound to.
class CAreaPanel final
{
public:
    /// Builds and wires everything. `selectedArea` may be empty (SelectedArea then stays LowerJaw and
    /// Activate writes nothing). Throws std::bad_alloc and what the host's journal throws.
    explicit CAreaPanel(std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea);
    ~CAreaPanel();
    CAreaPanel(CAreaPanel const&) = delete;
    CAreaPanel& operator=(CAreaPanel const&) = delete;

    /// The thumbnails of `area` (0 to 13). Throws std::out_of_range for other values.
    CThumbnailSource& GetThumbnails(Base::EAreaItems area) { return *m_thumbnails.at(Base::AreaIndex(area)); }
    /// The recording area commands the panel's items execute.
    CRecordingAreaCommands& GetCommands() noexcept { return m_commands; }
    /// The area view model of the panel.
    std::shared_ptr<CAreaViewModel> const& GetAreaViewModel() const noexcept { return m_areaViewModel; }
    /// The trash view model of the panel.
    std::shared_ptr<BusinessLayer::CTrashViewModelBase> const& GetTrashViewModel() const noexcept
    {
        return m_trash;
    }

private:
    std::array<std::unique_ptr<CThumbnailSource>, Base::kAreaItemCount> m_thumbnails;
    CRecordingAreaCommands m_commands;
    std::shared_ptr<CAreaViewModel> const m_areaViewModel;
    std::shared_ptr<BusinessLayer::CTrashViewModelBase> const m_trash;
};
} // namespace ReferenceHost
