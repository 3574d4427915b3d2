#pragma once
// Names and conversions shared by the simulator's pieces: the texts that scenarios, the screen and the
// JSON output use for areas, requirement levels and states.
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "host/values/eimageprocessingprogress.h"
#include "host/values/eliveviewstatus.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orx2Sim
{
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using ReconstructionState = Base::IReconstructionResultDataExchangeModel::EReconstructionState;

/// UTF-8 of a wide text. Throws std::bad_alloc.
std::string Narrow(std::wstring_view text);
/// Wide text of UTF-8 (invalid sequences become U+FFFD). Throws std::bad_alloc.
std::wstring Widen(std::string_view text);

/// The fourteen real areas in ascending order.
std::vector<Base::EAreaItems> const& RealAreas();
/// The area's name ("LowerJaw", also "Undefined" and "ItemCount"); the number as text for other values.
std::string AreaText(Base::EAreaItems area);
/// The real area named `name` (exact spelling of AreaText), or empty.
std::optional<Base::EAreaItems> ParseArea(std::string_view name);

/// "NotRequired", "Optional", "Obligatory"; the number for other values.
std::string LevelText(Level level);
/// The level named `name` (as LevelText), or empty.
std::optional<Level> ParseLevel(std::string_view name);

/// "None", "Incomplete", "Complete", "Failed", "CompleteWithWarning"; the number for other values.
std::string ReconstructionStateText(ReconstructionState state);
/// "Running", "OK", "Warning", "Fail"; the number for other values.
std::string ProcessingText(BusinessLayer::EImageProcessingProgress progress);
/// The processing state named `name` (as ProcessingText), or empty.
std::optional<BusinessLayer::EImageProcessingProgress> ParseProcessing(std::string_view name);
/// "Off", "Starting", "SearchingPosition", "PositionLost", "Tracking", "Ready"; the number otherwise.
std::string LiveViewText(BusinessLayer::ELiveViewStatus status);
/// The live-view status named `name` (as LiveViewText), or empty.
std::optional<BusinessLayer::ELiveViewStatus> ParseLiveView(std::string_view name);

/// `items` joined with ", ". Throws std::bad_alloc.
std::string Join(std::vector<std::string> const& items, std::string_view separator = ", ");
} // namespace Orx2Sim
