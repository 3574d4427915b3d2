#pragma once
// How the simulator reads one command argument from JSON, shows it as JSON and checks a decoded value.
// One specialisation per argument type that registered commands use; a view-model issue whose commands
// take a new type adds a specialisation here and its signature in CCommandSignatures.
#include "simtext.h"

#include "host/foundation/cstringw.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace Orx2Sim
{
using Json = nlohmann::ordered_json;

/// Specialisations provide: kType (the C++ type, for signatures); kName (for messages); FromJson(value,
/// error) -> bool, filling `out` or setting `error` to what was wrong; ToJson(value); Check(value) -> empty
/// or why a decoded value is not acceptable.
template <class T> struct TCommandArgument;

template <> struct TCommandArgument<bool>
{
    static constexpr char const* kType = "bool";
    static constexpr char const* kName = "true or false";
    static bool FromJson(Json const& value, bool& out)
    {
        if (!value.is_boolean())
            return false;
        out = value.get<bool>();
        return true;
    }
    static Json ToJson(bool value) { return value; }
    static std::string Check(bool) { return {}; }
};

/// Integers of any width: a JSON integer within the type's range.
template <class T> struct TIntegerArgument
{
    static constexpr char const* kName = "an integer";
    static bool FromJson(Json const& value, T& out)
    {
        if (value.is_number_unsigned())
        {
            auto const number = value.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(std::numeric_limits<T>::max()))
                return false;
            out = static_cast<T>(number);
            return true;
        }
        if (!value.is_number_integer())
            return false;
        auto const number = value.get<std::int64_t>();
        if (number < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
            (number > 0 &&
             static_cast<std::uint64_t>(number) > static_cast<std::uint64_t>(std::numeric_limits<T>::max())))
            return false;
        out = static_cast<T>(number);
        return true;
    }
    static Json ToJson(T value) { return value; }
    static std::string Check(T) { return {}; }
};
template <> struct TCommandArgument<int> : TIntegerArgument<int>
{
    static constexpr char const* kType = "int";
};
template <> struct TCommandArgument<unsigned int> : TIntegerArgument<unsigned int>
{
    static constexpr char const* kType = "unsigned int";
};

template <> struct TCommandArgument<float>
{
    static constexpr char const* kType = "float";
    static constexpr char const* kName = "a number";
    static bool FromJson(Json const& value, float& out)
    {
        if (!value.is_number() || !std::isfinite(value.get<double>()))
            return false;
        out = value.get<float>();
        return true;
    }
    static Json ToJson(float value)
    {
        return std::isfinite(value) ? Json(value) : Json(std::to_string(value));
    }
    static std::string Check(float value)
    {
        return std::isfinite(value) ? std::string() : "not a finite number";
    }
};

template <> struct TCommandArgument<std::wstring>
{
    static constexpr char const* kType = "std::wstring";
    static constexpr char const* kName = "a string";
    static bool FromJson(Json const& value, std::wstring& out)
    {
        if (!value.is_string())
            return false;
        out = Widen(value.get<std::string>());
        return true;
    }
    static Json ToJson(std::wstring const& value) { return Narrow(value); }
    static std::string Check(std::wstring const&) { return {}; }
};

template <> struct TCommandArgument<CStringW>
{
    static constexpr char const* kType = "CStringW";
    static constexpr char const* kName = "a string";
    static bool FromJson(Json const& value, CStringW& out)
    {
        std::wstring text;
        if (!TCommandArgument<std::wstring>::FromJson(value, text))
            return false;
        out = CStringW(std::move(text));
        return true;
    }
    static Json ToJson(CStringW const& value) { return Narrow(value.GetStdString()); }
    static std::string Check(CStringW const&) { return {}; }
};

template <> struct TCommandArgument<Base::EAreaItems>
{
    static constexpr char const* kType = "EAreaItems";
    static constexpr char const* kName = "an area name";
    static bool FromJson(Json const& value, Base::EAreaItems& out)
    {
        if (!value.is_string())
            return false;
        auto const area = ParseArea(value.get<std::string>());
        if (!area)
            return false;
        out = *area;
        return true;
    }
    static Json ToJson(Base::EAreaItems value) { return AreaText(value); }
    static std::string Check(Base::EAreaItems value)
    {
        return ParseArea(AreaText(value)) ? std::string() : "area " + AreaText(value) + " is not a scan area";
    }
};

/// An enumeration with words (TEnumNames): one of its words.
template <class E> struct TEnumArgument
{
    static bool FromJson(Json const& value, E& out)
    {
        auto const parsed = value.is_string() ? ParseEnum<E>(value.get<std::string>()) : std::nullopt;
        if (parsed)
            out = *parsed;
        return parsed.has_value();
    }
    static Json ToJson(E value) { return EnumText(value); }
    static std::string Check(E) { return {}; }
};
template <>
struct TCommandArgument<BusinessLayer::EImageProcessingProgress> : TEnumArgument<BusinessLayer::EImageProcessingProgress>
{
    static constexpr char const* kType = "EImageProcessingProgress";
    static constexpr char const* kName = "Running, OK, Warning or Fail";
};
template <> struct TCommandArgument<BusinessLayer::ELiveViewStatus> : TEnumArgument<BusinessLayer::ELiveViewStatus>
{
    static constexpr char const* kType = "ELiveViewStatus";
    static constexpr char const* kName = "a live-view status (Off, Starting, SearchingPosition, "
                                         "PositionLost, Tracking, Ready)";
};

template <> struct TCommandArgument<std::vector<Level>>
{
    static constexpr char const* kType = "std::vector<EAreaRequirementLevel>";
    static constexpr char const* kName = "an array of requirement levels (NotRequired, Optional, Obligatory)";
    static bool FromJson(Json const& value, std::vector<Level>& out)
    {
        if (!value.is_array())
            return false;
        std::vector<Level> levels;
        for (Json const& item : value)
        {
            auto const level = item.is_string() ? ParseEnum<Level>(item.get<std::string>()) : std::nullopt;
            if (!level)
                return false;
            levels.push_back(*level);
        }
        out = std::move(levels);
        return true;
    }
    static Json ToJson(std::vector<Level> const& value)
    {
        Json levels = Json::array();
        for (Level const level : value)
            levels.push_back(EnumText(level));
        return levels;
    }
    static std::string Check(std::vector<Level> const& value)
    {
        for (Level const level : value)
            if (!ParseEnum<Level>(EnumText(level)))
                return "level " + EnumText(level) + " is not a requirement level";
        return {};
    }
};
} // namespace Orx2Sim
