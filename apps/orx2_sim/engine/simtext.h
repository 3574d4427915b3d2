#pragma once
// Names and conversions shared by the simulator's pieces: the texts that scenarios, the screen and the
// JSON output use for areas and for the enumerations shown as words.
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/interfaces/icameracalibrationviewmodel.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iliveimageviewmodel.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "host/values/eimageprocessingprogress.h"
#include "host/values/eliveviewstatus.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orx2Sim
{
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using ReconstructionState = Base::IReconstructionResultDataExchangeModel::EReconstructionState;
using Crosshair = Base::ILiveImageViewModel::EItemCrosshair;
using CalibrationState = Base::ICameraCalibrationViewModel::ECalibrationState;

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

/// The words of an enumeration that the screen and the scenarios show as words, by value from kFirst on
/// ("" for a value without one); an enumeration without a table shows as its number.
template <class E> struct TEnumNames
{
    static constexpr long long kFirst = 0;
    static constexpr std::array<char const*, 0> kNames{};
};
struct SNamedFromZero
{
    static constexpr long long kFirst = 0;
};
template <> struct TEnumNames<Level> : SNamedFromZero
{
    static constexpr std::array kNames{"NotRequired", "Optional", "Obligatory"};
};
template <> struct TEnumNames<ReconstructionState> : SNamedFromZero
{
    static constexpr std::array kNames{"None", "Incomplete", "Complete", "Failed", "CompleteWithWarning"};
};
template <> struct TEnumNames<BusinessLayer::EImageProcessingProgress>
{
    static constexpr long long kFirst = 47; // eORX_RUNNING
    static constexpr std::array kNames{"Running", "OK", "Warning", "Fail"};
};
template <> struct TEnumNames<BusinessLayer::ELiveViewStatus> : SNamedFromZero
{
    static constexpr std::array kNames{"Off",          "Starting", "SearchingPosition",
                                       "PositionLost", "Tracking", "Ready"};
};
template <> struct TEnumNames<Crosshair> : SNamedFromZero
{
    static constexpr std::array kNames{"None", "Ready", "", "", "Tracking", "Searching"};
};
template <> struct TEnumNames<CalibrationState> : SNamedFromZero
{
    static constexpr std::array kNames{"NotRunning", "InProgress",
                                       "Succeeded",  "Failed",
                                       "Aborted",    "WaitingForAnswer",
                                       "Holding",    "WaitingForNumber",
                                       "",           "",
                                       "",           "",
                                       "",           "WaitingForAnotherNumber"};
};

/// Whether `E` shows as words.
template <class E> inline constexpr bool kHasNames = !TEnumNames<E>::kNames.empty();

/// The word of `value`, or its number as text when it has none.
template <class E> std::string EnumText(E value)
{
    if constexpr (kHasNames<E>)
    {
        auto const index = static_cast<long long>(value) - TEnumNames<E>::kFirst;
        auto const& names = TEnumNames<E>::kNames;
        if (index >= 0 && index < static_cast<long long>(names.size()) &&
            *names[static_cast<std::size_t>(index)])
            return names[static_cast<std::size_t>(index)];
    }
    return std::to_string(static_cast<long long>(value));
}
/// The value whose word is `text`, or empty.
template <class E> std::optional<E> ParseEnum(std::string_view text)
{
    auto const& names = TEnumNames<E>::kNames;
    for (std::size_t index = 0; index < names.size(); ++index)
        if (!text.empty() && text == names[index])
            return static_cast<E>(TEnumNames<E>::kFirst + static_cast<long long>(index));
    return std::nullopt;
}

// The words of the states the GUI client shows as the simulator does.
inline std::string ReconstructionStateText(ReconstructionState state)
{
    return EnumText(state);
}
inline std::string ProcessingText(BusinessLayer::EImageProcessingProgress progress)
{
    return EnumText(progress);
}

/// `items` joined with ", ". Throws std::bad_alloc.
std::string Join(std::vector<std::string> const& items, std::string_view separator = ", ");
} // namespace Orx2Sim
