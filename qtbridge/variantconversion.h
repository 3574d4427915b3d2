#pragma once
// The one conversion between the library's value types and QML values (QVariant), both ways, for every
// view model the bridge binds. A described member whose type converts to QML becomes a value of its
// map; a command becomes executable from QML when each of its arguments converts from QML. Members of
// other types are left out of the maps (see TVariantConversion).
#include "qtbridge/orx2qtbridgeexport.h"

#include "base/orx2basepool/eareaitems.h"
#include "host/foundation/cstringw.h"
#include "host/values/cbuccalregistrationresult.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "host/values/cdevicestatechanged.h"
#include "host/values/jbmatrix4r.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace Orx2Qt
{
/// The name QML uses for a described member: its leading capitals lower-cased as one word, so that
/// "Visibility" is "visibility", "OKPressed" "okPressed" and "QRCode" "qrCode". Names that start with
/// a digit ("3DScene") stay as they are (QML reads them as map["3DScene"]).
ORX2_QTBRIDGE_EXPORT QString QmlName(char const* described);

namespace Internal
{
/// A QML number as an integer in [minimum, maximum]; empty for another kind of value (a bool, a
/// string), a fraction or a number out of range.
ORX2_QTBRIDGE_EXPORT std::optional<long long> IntegerFromQml(QVariant const& value, long long minimum,
                                                             long long maximum);
ORX2_QTBRIDGE_EXPORT std::optional<unsigned long long> UnsignedFromQml(QVariant const& value,
                                                                       unsigned long long maximum);
/// A QML number of any kind; empty for another kind of value.
ORX2_QTBRIDGE_EXPORT std::optional<double> NumberFromQml(QVariant const& value);
/// A QML string; empty for another kind of value.
ORX2_QTBRIDGE_EXPORT std::optional<std::wstring> TextFromQml(QVariant const& value);
ORX2_QTBRIDGE_EXPORT QVariant TextToQml(std::wstring const& text);
ORX2_QTBRIDGE_EXPORT QVariant WaitRequestToQml(Base::CCalibrationWaitRequest const& request);
ORX2_QTBRIDGE_EXPORT std::optional<Base::EAreaItems> AreaFromQml(QVariant const& value);
} // namespace Internal

/// How values of type T go to QML (`static QVariant ToQml(T const&)`) and come from QML
/// (`static std::optional<T> FromQml(QVariant const&)`, empty when the value is of another kind), and
/// what a wrong argument is told it should have been (`kName`). A type with neither is not bound.
///
/// Bound here: bool; integers; floating point (as double); enumerations (as their number; a scan area
/// also from its name, "UpperJaw"); CStringW and std::wstring (as strings); vectors of a bound type (as
/// lists, to QML only); 4x4 matrices (16 numbers row by row); the wait request of the calibrations, the
/// device state and the buccal registration result (as maps of their fields, to QML only).
/// Left out: images, bitmaps, geometry, registrations and other engine data (pointers to host objects,
/// meshes, per-area collections): they are the renderer's, not values a QML binding compares and shows.
/// Specialise it for a type of your own before the maps of its view models are made.
template <class T, class = void> struct TVariantConversion
{
};

/// A boolean, as a QML bool.
template <> struct TVariantConversion<bool>
{
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = "a boolean";
    /// The value as QML sees it.
    static QVariant ToQml(bool value) { return QVariant(value); }
    /// The value from QML; empty for another kind of value.
    static std::optional<bool> FromQml(QVariant const& value)
    {
        return value.typeId() == QMetaType::Bool ? std::optional<bool>(value.toBool()) : std::nullopt;
    }
};

/// An integer, as a QML number; from QML only whole numbers in the range of `T`.
template <class T>
struct TVariantConversion<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>>
{
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = std::is_signed_v<T> ? "an integer" : "an integer of at least 0";
    /// The value as QML sees it.
    static QVariant ToQml(T value)
    {
        if constexpr (std::is_signed_v<T>)
            return sizeof(T) <= sizeof(int) ? QVariant(static_cast<int>(value))
                                            : QVariant(static_cast<qlonglong>(value));
        else
            return sizeof(T) <= sizeof(unsigned) ? QVariant(static_cast<unsigned>(value))
                                                 : QVariant(static_cast<qulonglong>(value));
    }
    /// The value from QML; empty for another kind of value.
    static std::optional<T> FromQml(QVariant const& value)
    {
        if constexpr (std::is_signed_v<T>)
        {
            auto const number =
                Internal::IntegerFromQml(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
            return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
        }
        else
        {
            auto const number = Internal::UnsignedFromQml(value, std::numeric_limits<T>::max());
            return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
        }
    }
};

/// A floating-point value, as a QML number (a double).
template <class T> struct TVariantConversion<T, std::enable_if_t<std::is_floating_point_v<T>>>
{
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = "a number";
    /// The value as QML sees it.
    static QVariant ToQml(T value) { return QVariant(static_cast<double>(value)); }
    /// The value from QML; empty for another kind of value.
    static std::optional<T> FromQml(QVariant const& value)
    {
        auto const number = Internal::NumberFromQml(value);
        return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
    }
};

/// An enumeration, as the number of its enumerator; from QML any value of the underlying type.
template <class T> struct TVariantConversion<T, std::enable_if_t<std::is_enum_v<T>>>
{
    /// The conversion of the underlying type.
    using Number = TVariantConversion<std::underlying_type_t<T>>;
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = "an integer (an enumerator's value)";
    /// The value as QML sees it.
    static QVariant ToQml(T value) { return Number::ToQml(static_cast<std::underlying_type_t<T>>(value)); }
    /// The value from QML; empty for another kind of value.
    static std::optional<T> FromQml(QVariant const& value)
    {
        auto const number = Number::FromQml(value);
        return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
    }
};

/// A scan area goes to QML as its number, which indexes the per-area lists; from QML it may also be
/// given by name. Only the real areas and Undefined are accepted: a command never sees another value.
template <> struct TVariantConversion<Base::EAreaItems>
{
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = "a scan area (its number or name)";
    /// The value as QML sees it.
    static QVariant ToQml(Base::EAreaItems area) { return QVariant(static_cast<int>(area)); }
    /// The value from QML; empty for another kind of value.
    static std::optional<Base::EAreaItems> FromQml(QVariant const& value)
    {
        return Internal::AreaFromQml(value);
    }
};

/// A text, as a QML string.
template <class T>
struct TVariantConversion<T, std::enable_if_t<std::is_same_v<T, CStringW> || std::is_same_v<T, std::wstring>>>
{
    /// What a wrong argument is told it should have been.
    static constexpr char const* kName = "a string";
    /// The value as QML sees it.
    static QVariant ToQml(CStringW const& text) { return Internal::TextToQml(text.GetStdString()); }
    /// The value as QML sees it.
    static QVariant ToQml(std::wstring const& text) { return Internal::TextToQml(text); }
    /// The value from QML; empty for another kind of value.
    static std::optional<T> FromQml(QVariant const& value)
    {
        auto text = Internal::TextFromQml(value);
        return text ? std::optional<T>(T(std::move(*text))) : std::nullopt;
    }
};

/// A 4x4 matrix, as a list of 16 numbers row by row (to QML only).
template <class T> struct TVariantConversion<JbMatrix4R<T>>
{
    /// The value as QML sees it.
    static QVariant ToQml(JbMatrix4R<T> const& matrix)
    {
        QVariantList elements;
        for (std::size_t row = 0; row < 4; ++row)
            for (std::size_t column = 0; column < 4; ++column)
                elements.append(static_cast<double>(matrix(row, column)));
        return elements;
    }
};

/// The calibrations' wait request, as a map of its fields (to QML only).
template <> struct TVariantConversion<Base::CCalibrationWaitRequest>
{
    /// The value as QML sees it.
    static QVariant ToQml(Base::CCalibrationWaitRequest const& request)
    {
        return Internal::WaitRequestToQml(request);
    }
};

/// A device state, as a map of `state` and `deviceName` (to QML only).
template <> struct TVariantConversion<Base::CDeviceStateChanged>
{
    /// The value as QML sees it.
    static QVariant ToQml(Base::CDeviceStateChanged const& state)
    {
        return QVariantMap{
            {QStringLiteral("state"), static_cast<int>(state.GetState())},
            {QStringLiteral("deviceName"), Internal::TextToQml(state.GetDeviceName().GetStdString())}};
    }
};

/// A buccal registration result, as a map of `valid` and `transformation` (to QML only).
template <> struct TVariantConversion<Base::CBuccalRegistrationResult>
{
    /// The value as QML sees it.
    static QVariant ToQml(Base::CBuccalRegistrationResult const& result)
    {
        return QVariantMap{{QStringLiteral("valid"), result.IsValid()},
                           {QStringLiteral("transformation"),
                            TVariantConversion<JbMatrix4R<double>>::ToQml(result.GetTransformation())}};
    }
};

template <class T, class = void> struct TConvertsToQml : std::false_type
{
};
template <class T>
struct TConvertsToQml<T, std::void_t<decltype(TVariantConversion<T>::ToQml(std::declval<T const&>()))>>
    : std::true_type
{
};
/// Whether values of T are bound (go to QML).
template <class T> inline constexpr bool kConvertsToQml = TConvertsToQml<T>::value;

template <class T, class = void> struct TConvertsFromQml : std::false_type
{
};
template <class T>
struct TConvertsFromQml<
    T, std::void_t<decltype(TVariantConversion<T>::FromQml(std::declval<QVariant const&>()))>>
    : std::true_type
{
};
/// Whether a command argument of type T can be given from QML.
template <class T> inline constexpr bool kConvertsFromQml = TConvertsFromQml<std::decay_t<T>>::value;

/// A vector of a bound type, as a list (to QML only).
template <class E> struct TVariantConversion<std::vector<E>, std::enable_if_t<kConvertsToQml<E>>>
{
    /// The value as QML sees it.
    static QVariant ToQml(std::vector<E> const& values)
    {
        QVariantList list;
        list.reserve(static_cast<qsizetype>(values.size()));
        for (E const& value : values)
            list.append(TVariantConversion<E>::ToQml(value));
        return list;
    }
};

/// `value` as QML sees it. Throws std::bad_alloc.
template <class T> QVariant ToQml(T const& value)
{
    return TVariantConversion<T>::ToQml(value);
}
} // namespace Orx2Qt
