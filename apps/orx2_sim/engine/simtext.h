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
#include <utility>
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

/// The words of an enumeration that the screen and the scenarios show as words; an enumeration without
/// a table shows as its number.
template <class E> struct TEnumNames
{
    static constexpr std::array<std::pair<E, char const*>, 0> kNames{};
};
template <> struct TEnumNames<Level>
{
    static constexpr std::array<std::pair<Level, char const*>, 3> kNames{
        {{Level::NotRequired, "NotRequired"}, {Level::Optional, "Optional"}, {Level::Obligatory, "Obligatory"}}};
};
template <> struct TEnumNames<ReconstructionState>
{
    static constexpr std::array<std::pair<ReconstructionState, char const*>, 5> kNames{
        {{ReconstructionState::None, "None"},
         {ReconstructionState::Incomplete, "Incomplete"},
         {ReconstructionState::Complete, "Complete"},
         {ReconstructionState::Failed, "Failed"},
         {ReconstructionState::CompleteWithWarning, "CompleteWithWarning"}}};
};
template <> struct TEnumNames<BusinessLayer::EImageProcessingProgress>
{
    using E = BusinessLayer::EImageProcessingProgress;
    static constexpr std::array<std::pair<E, char const*>, 4> kNames{
        {{E::eORX_RUNNING, "Running"}, {E::eORX_OK, "OK"}, {E::eORX_WARNING, "Warning"}, {E::eORX_FAIL, "Fail"}}};
};
template <> struct TEnumNames<BusinessLayer::ELiveViewStatus>
{
    using E = BusinessLayer::ELiveViewStatus;
    static constexpr std::array<std::pair<E, char const*>, 6> kNames{{{E::Off, "Off"},
                                                                       {E::Starting, "Starting"},
                                                                       {E::SearchingPosition, "SearchingPosition"},
                                                                       {E::PositionLost, "PositionLost"},
                                                                       {E::Tracking, "Tracking"},
                                                                       {E::Ready, "Ready"}}};
};
template <> struct TEnumNames<Crosshair>
{
    static constexpr std::array<std::pair<Crosshair, char const*>, 4> kNames{{{Crosshair::None, "None"},
                                                                               {Crosshair::Ready, "Ready"},
                                                                               {Crosshair::Tracking, "Tracking"},
                                                                               {Crosshair::Searching, "Searching"}}};
};
template <> struct TEnumNames<CalibrationState>
{
    using E = CalibrationState;
    static constexpr std::array<std::pair<E, char const*>, 10> kNames{
        {{E::NotRunning, "NotRunning"},
         {E::InProgress, "InProgress"},
         {E::Succeeded, "Succeeded"},
         {E::Failed, "Failed"},
         {E::Aborted, "Aborted"},
         {E::WaitingForAnswer, "WaitingForAnswer"},
         {E::Holding, "Holding"},
         {E::WaitingForNumber, "WaitingForNumber"},
         {E::WaitingForAnotherNumber, "WaitingForAnotherNumber"},
         {E::LastWaitingForAnswer, "LastWaitingForAnswer"}}};
};

/// Whether `E` shows as words.
template <class E> inline constexpr bool kHasNames = !TEnumNames<E>::kNames.empty();

/// The word of `value`, or its number as text when it has none.
template <class E> std::string EnumText(E value)
{
    for (auto const& [known, name] : TEnumNames<E>::kNames)
        if (known == value)
            return name;
    return std::to_string(static_cast<long long>(value));
}
/// The value whose word is `text`, or empty.
template <class E> std::optional<E> ParseEnum(std::string_view text)
{
    for (auto const& [known, name] : TEnumNames<E>::kNames)
        if (text == name)
            return known;
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
