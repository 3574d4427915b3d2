#include "simtext.h"

#include "host/foundation/jbstringconversion.h"

#include <array>
#include <utility>

namespace Orx2Sim
{
namespace
{
/// The name of `value` in `names` ({value, name} pairs), or the number.
template <class E, std::size_t N>
std::string NameOf(std::array<std::pair<E, char const*>, N> const& names, E value)
{
    for (auto const& [known, name] : names)
        if (known == value)
            return name;
    return std::to_string(static_cast<long long>(value));
}

template <class E, std::size_t N>
std::optional<E> ValueOf(std::array<std::pair<E, char const*>, N> const& names, std::string_view text)
{
    for (auto const& [known, name] : names)
        if (text == name)
            return known;
    return std::nullopt;
}

using BusinessLayer::EImageProcessingProgress;
using BusinessLayer::ELiveViewStatus;

constexpr std::array<std::pair<Level, char const*>, 3> kLevels = {
    {{Level::NotRequired, "NotRequired"}, {Level::Optional, "Optional"}, {Level::Obligatory, "Obligatory"}}};
constexpr std::array<std::pair<ReconstructionState, char const*>, 5> kStates = {
    {{ReconstructionState::None, "None"},
     {ReconstructionState::Incomplete, "Incomplete"},
     {ReconstructionState::Complete, "Complete"},
     {ReconstructionState::Failed, "Failed"},
     {ReconstructionState::CompleteWithWarning, "CompleteWithWarning"}}};
constexpr std::array<std::pair<EImageProcessingProgress, char const*>, 4> kProcessing = {
    {{EImageProcessingProgress::eORX_RUNNING, "Running"},
     {EImageProcessingProgress::eORX_OK, "OK"},
     {EImageProcessingProgress::eORX_WARNING, "Warning"},
     {EImageProcessingProgress::eORX_FAIL, "Fail"}}};
constexpr std::array<std::pair<ELiveViewStatus, char const*>, 6> kLiveView = {
    {{ELiveViewStatus::Off, "Off"},
     {ELiveViewStatus::Starting, "Starting"},
     {ELiveViewStatus::SearchingPosition, "SearchingPosition"},
     {ELiveViewStatus::PositionLost, "PositionLost"},
     {ELiveViewStatus::Tracking, "Tracking"},
     {ELiveViewStatus::Ready, "Ready"}}};
} // namespace

std::string Narrow(std::wstring_view text)
{
    return JbNarrowUtf8(text);
}

std::wstring Widen(std::string_view text)
{
    return JbWidenUtf8(text);
}

std::vector<Base::EAreaItems> const& RealAreas()
{
    static std::vector<Base::EAreaItems> const areas = []
    {
        std::vector<Base::EAreaItems> all;
        for (std::size_t index = 0; index < Base::kAreaItemCount; ++index)
            all.push_back(static_cast<Base::EAreaItems>(index));
        return all;
    }();
    return areas;
}

std::string AreaText(Base::EAreaItems area)
{
    std::string const name = Narrow(Base::GetAreaName(area));
    return name.empty() ? std::to_string(static_cast<int>(area)) : name;
}

std::optional<Base::EAreaItems> ParseArea(std::string_view name)
{
    for (Base::EAreaItems const area : RealAreas())
        if (AreaText(area) == name)
            return area;
    return std::nullopt;
}

std::string LevelText(Level level)
{
    return NameOf(kLevels, level);
}

std::optional<Level> ParseLevel(std::string_view name)
{
    return ValueOf(kLevels, name);
}

std::string ReconstructionStateText(ReconstructionState state)
{
    return NameOf(kStates, state);
}

std::string ProcessingText(EImageProcessingProgress progress)
{
    return NameOf(kProcessing, progress);
}

std::optional<EImageProcessingProgress> ParseProcessing(std::string_view name)
{
    return ValueOf(kProcessing, name);
}

std::string LiveViewText(ELiveViewStatus status)
{
    return NameOf(kLiveView, status);
}

std::optional<ELiveViewStatus> ParseLiveView(std::string_view name)
{
    return ValueOf(kLiveView, name);
}

std::string Join(std::vector<std::string> const& items, std::string_view separator)
{
    std::string joined;
    for (std::size_t index = 0; index < items.size(); ++index)
    {
        if (index != 0)
            joined += separator;
        joined += items[index];
    }
    return joined;
}
} // namespace Orx2Sim
