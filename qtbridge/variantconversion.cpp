#include "qtbridge/variantconversion.h"

#include <cmath>

namespace Orx2Qt
{
QString QmlName(char const* described)
{
    QString name = QString::fromUtf8(described);
    // The run of capitals at the start is one word, except its last capital when a lower-case letter
    // follows: that one begins the next word ("QRCode" is "qr" and "Code").
    qsizetype run = 0;
    while (run < name.size() && name[run].isUpper())
        ++run;
    if (run > 1 && run < name.size() && name[run].isLower())
        --run;
    for (qsizetype i = 0; i < run; ++i)
        name[i] = name[i].toLower();
    return name;
}

namespace Internal
{
namespace
{
bool IsNumber(QVariant const& value)
{
    switch (value.typeId())
    {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

/// The number as a whole number, with its sign apart so that both 64-bit ranges fit; empty for a
/// fraction, an infinity or a number beyond 64 bits.
std::optional<std::pair<bool, unsigned long long>> Whole(QVariant const& value)
{
    if (!IsNumber(value))
        return std::nullopt;
    switch (value.typeId())
    {
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return std::make_pair(false, value.toULongLong());
    case QMetaType::Int:
    case QMetaType::LongLong:
    {
        long long const number = value.toLongLong();
        return std::make_pair(number < 0, number < 0 ? 0ull - static_cast<unsigned long long>(number)
                                                     : static_cast<unsigned long long>(number));
    }
    default:
    {
        double const number = value.toDouble();
        // 2^64 is exact as a double; anything at or beyond it does not fit.
        if (!std::isfinite(number) || std::trunc(number) != number ||
            std::fabs(number) >= 18446744073709551616.0)
            return std::nullopt;
        return std::make_pair(number < 0, static_cast<unsigned long long>(std::fabs(number)));
    }
    }
}
} // namespace

std::optional<long long> IntegerFromQml(QVariant const& value, long long minimum, long long maximum)
{
    auto const whole = Whole(value);
    if (!whole)
        return std::nullopt;
    auto const [negative, magnitude] = *whole;
    if (negative)
    {
        unsigned long long const limit = minimum < 0 ? 0ull - static_cast<unsigned long long>(minimum) : 0;
        if (magnitude > limit)
            return std::nullopt;
        return static_cast<long long>(0ull - magnitude);
    }
    if (maximum < 0 || magnitude > static_cast<unsigned long long>(maximum))
        return std::nullopt;
    return static_cast<long long>(magnitude);
}

std::optional<unsigned long long> UnsignedFromQml(QVariant const& value, unsigned long long maximum)
{
    auto const whole = Whole(value);
    if (!whole || whole->first || whole->second > maximum)
        return std::nullopt;
    return whole->second;
}

std::optional<double> NumberFromQml(QVariant const& value)
{
    return IsNumber(value) ? std::optional<double>(value.toDouble()) : std::nullopt;
}

std::optional<std::wstring> TextFromQml(QVariant const& value)
{
    return value.typeId() == QMetaType::QString ? std::optional<std::wstring>(value.toString().toStdWString())
                                                : std::nullopt;
}

QVariant TextToQml(std::wstring const& text)
{
    return QString::fromStdWString(text);
}

QVariant WaitRequestToQml(Base::CCalibrationWaitRequest const& request)
{
    return QVariantMap{
        {QStringLiteral("calibState"), static_cast<int>(request.GetCalibState())},
        {QStringLiteral("instructionId"), request.GetInstructionId()},
        {QStringLiteral("instructionText"), TextToQml(request.GetInstructionText().GetStdString())},
        {QStringLiteral("questionType"), static_cast<int>(request.GetQuestionType())},
        {QStringLiteral("initialValue"), TextToQml(request.GetInitialValue().GetStdString())},
        {QStringLiteral("progress"), static_cast<double>(request.GetProgress())},
        {QStringLiteral("warning"), request.IsWarning()},
        {QStringLiteral("deviceType"), static_cast<int>(request.GetDeviceType())},
    };
}

std::optional<Base::EAreaItems> AreaFromQml(QVariant const& value)
{
    if (auto const text = TextFromQml(value))
    {
        for (int area = 0; area < static_cast<int>(Base::kAreaItemCount); ++area)
            if (Base::GetAreaName(static_cast<Base::EAreaItems>(area)) == *text)
                return static_cast<Base::EAreaItems>(area);
        return std::nullopt;
    }
    auto const number = IntegerFromQml(value, static_cast<long long>(Base::EAreaItems::Undefined),
                                       static_cast<long long>(Base::kAreaItemCount) - 1);
    return number ? std::optional<Base::EAreaItems>(static_cast<Base::EAreaItems>(*number)) : std::nullopt;
}
} // namespace Internal
} // namespace Orx2Qt
