#include "host/acquisitionbase/corxstreambinarylegacy.h"

#include "host/foundation/jbstringconversion.h"
#include "base/orx2basepool/csourcefile.h"

#include <limits>

namespace Base
{
namespace
{
constexpr CSourceFile kSource("host/acquisitionbase/corxstreambinarylegacy");

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4, "float must be IEEE binary32");
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8, "double must be IEEE binary64");

// Readable names for messages; the demangled spelling of std::wstring is three lines long.
std::string DescribeType(std::type_info const& type)
{
    std::string name = JbDemangle(type);
    std::string const verbose = JbDemangle(typeid(std::wstring));
    for (auto position = name.find(verbose); position != std::string::npos; position = name.find(verbose))
    {
        name.replace(position, verbose.size(), "std::wstring");
    }
    return name;
}

bool IsScalarValue(std::uint32_t value)
{
    return value <= 0x10FFFFU && (value < 0xD800U || value > 0xDFFFU);
}

std::vector<std::uint16_t> EncodeUtf16(std::wstring const& text)
{
    std::vector<std::uint16_t> units;
    units.reserve(text.size());
    for (wchar_t const character : text)
    {
        auto value = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(character));
        if (!IsScalarValue(value))
        {
            value = 0xFFFDU;
        }
        if (value >= 0x10000U)
        {
            value -= 0x10000U;
            units.push_back(static_cast<std::uint16_t>(0xD800U | (value >> 10U)));
            units.push_back(static_cast<std::uint16_t>(0xDC00U | (value & 0x3FFU)));
        }
        else
        {
            units.push_back(static_cast<std::uint16_t>(value));
        }
    }
    return units;
}

std::wstring DecodeUtf16(std::vector<unsigned char> const& bytes)
{
    std::size_t const count = bytes.size() / 2;
    auto const unit = [&bytes](std::size_t index) -> std::uint32_t
    { return bytes[2 * index] | (static_cast<std::uint32_t>(bytes[2 * index + 1]) << 8U); };
    std::wstring text;
    text.reserve(count);
    for (std::size_t index = 0; index < count; ++index)
    {
        std::uint32_t const first = unit(index);
        bool const isHigh = first >= 0xD800U && first <= 0xDBFFU;
        std::uint32_t const second = isHigh && index + 1 < count ? unit(index + 1) : 0;
        if (isHigh && second >= 0xDC00U && second <= 0xDFFFU)
        {
            text.push_back(static_cast<wchar_t>(0x10000U + ((first - 0xD800U) << 10U) + (second - 0xDC00U)));
            ++index;
        }
        else
        {
            text.push_back(static_cast<wchar_t>(first >= 0xD800U && first <= 0xDFFFU ? 0xFFFDU : first));
        }
    }
    return text;
}
} // namespace

CORXStreamWriteBinaryLegacy::CORXStreamWriteBinaryLegacy(std::shared_ptr<JbStreamWriteBinary> stream)
    : m_stream(std::move(stream))
{
    if (!m_stream)
    {
        kSource.Throw(__LINE__, "Base::CORXStreamWriteBinaryLegacy::CORXStreamWriteBinaryLegacy",
                      L"The legacy binary writer needs a stream");
    }
}

CORXStreamWriteBinaryLegacy::~CORXStreamWriteBinaryLegacy() = default;

CORXStreamWriteBinaryLegacy& CORXStreamWriteBinaryLegacy::operator<<(bool value)
{
    WriteInteger(value ? 1 : 0, 1);
    return *this;
}

CORXStreamWriteBinaryLegacy& CORXStreamWriteBinaryLegacy::operator<<(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    WriteInteger(bits, sizeof bits);
    return *this;
}

CORXStreamWriteBinaryLegacy& CORXStreamWriteBinaryLegacy::operator<<(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    WriteInteger(bits, sizeof bits);
    return *this;
}

CORXStreamWriteBinaryLegacy& CORXStreamWriteBinaryLegacy::operator<<(std::wstring const& value)
{
    std::vector<std::uint16_t> const units = EncodeUtf16(value);
    WriteCount(units.size(), typeid(std::wstring));
    std::vector<unsigned char> bytes;
    bytes.reserve(2 * units.size());
    for (std::uint16_t const unit : units)
    {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFFU));
        bytes.push_back(static_cast<unsigned char>(unit >> 8U));
    }
    m_stream->Write(bytes.data(), bytes.size());
    return *this;
}

CORXStreamWriteBinaryLegacy& CORXStreamWriteBinaryLegacy::operator<<(CStringW const& value)
{
    return *this << value.GetStdString();
}

void CORXStreamWriteBinaryLegacy::WriteInteger(std::uint64_t value, std::size_t size)
{
    unsigned char bytes[sizeof value];
    for (std::size_t index = 0; index < size; ++index)
    {
        bytes[index] = static_cast<unsigned char>(value >> (8U * index));
    }
    m_stream->Write(bytes, size);
}

void CORXStreamWriteBinaryLegacy::WriteCount(std::size_t count, std::type_info const& type)
{
    if (count > std::numeric_limits<std::uint32_t>::max())
    {
        kSource.Throw(__LINE__, "Base::CORXStreamWriteBinaryLegacy::WriteCount",
                      L"Writing %S: %zu elements do not fit a 32-bit count", DescribeType(type).c_str(), count);
    }
    WriteInteger(count, sizeof(std::uint32_t));
}

CORXStreamReadBinaryLegacy::CORXStreamReadBinaryLegacy(std::shared_ptr<JbStreamReadBinary> stream)
    : m_stream(std::move(stream))
{
    if (!m_stream)
    {
        kSource.Throw(__LINE__, "Base::CORXStreamReadBinaryLegacy::CORXStreamReadBinaryLegacy",
                      L"The legacy binary reader needs a stream");
    }
}

CORXStreamReadBinaryLegacy::~CORXStreamReadBinaryLegacy() = default;

CORXStreamReadBinaryLegacy& CORXStreamReadBinaryLegacy::operator>>(bool& value)
{
    std::uint64_t const byte = ReadInteger(1, typeid(bool));
    if (byte > 1)
    {
        kSource.Throw(__LINE__, "Base::CORXStreamReadBinaryLegacy::operator>>",
                      L"Reading bool: byte 0x%02X is neither 0 nor 1", static_cast<unsigned>(byte));
    }
    value = byte == 1;
    return *this;
}

CORXStreamReadBinaryLegacy& CORXStreamReadBinaryLegacy::operator>>(float& value)
{
    auto const bits = static_cast<std::uint32_t>(ReadInteger(sizeof(float), typeid(float)));
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

CORXStreamReadBinaryLegacy& CORXStreamReadBinaryLegacy::operator>>(double& value)
{
    std::uint64_t const bits = ReadInteger(sizeof(double), typeid(double));
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

CORXStreamReadBinaryLegacy& CORXStreamReadBinaryLegacy::operator>>(std::wstring& value)
{
    std::uint32_t const count = ReadCount(sizeof(std::uint16_t), typeid(std::wstring));
    std::vector<unsigned char> bytes(std::size_t{count} * sizeof(std::uint16_t));
    ReadBytes(bytes.data(), bytes.size(), typeid(std::wstring));
    value = DecodeUtf16(bytes);
    return *this;
}

CORXStreamReadBinaryLegacy& CORXStreamReadBinaryLegacy::operator>>(CStringW& value)
{
    std::wstring text;
    *this >> text;
    value = CStringW(std::move(text));
    return *this;
}

std::size_t CORXStreamReadBinaryLegacy::GetRemaining() const
{
    return m_stream->GetRemaining();
}

void CORXStreamReadBinaryLegacy::ReadBytes(void* data, std::size_t size, std::type_info const& type)
{
    std::size_t const remaining = m_stream->GetRemaining();
    if (size > remaining)
    {
        kSource.Throw(__LINE__, "Base::CORXStreamReadBinaryLegacy::ReadBytes", L"Reading %S: %zu bytes needed, %zu left",
                      DescribeType(type).c_str(), size, remaining);
    }
    m_stream->Read(data, size);
}

std::uint64_t CORXStreamReadBinaryLegacy::ReadInteger(std::size_t size, std::type_info const& type)
{
    unsigned char bytes[sizeof(std::uint64_t)];
    ReadBytes(bytes, size, type);
    std::uint64_t value = 0;
    for (std::size_t index = 0; index < size; ++index)
    {
        value |= static_cast<std::uint64_t>(bytes[index]) << (8U * index);
    }
    return value;
}

std::uint32_t CORXStreamReadBinaryLegacy::ReadCount(std::size_t minimumElementSize,
                                                    std::type_info const& type)
{
    auto const count = static_cast<std::uint32_t>(ReadInteger(sizeof(std::uint32_t), type));
    std::uint64_t const needed = std::uint64_t{count} * minimumElementSize;
    std::size_t const remaining = m_stream->GetRemaining();
    if (needed > remaining)
    {
        kSource.Throw(__LINE__, "Base::CORXStreamReadBinaryLegacy::ReadCount",
                      L"Reading %S: %llu bytes needed for %u elements, %zu left", DescribeType(type).c_str(),
                      static_cast<unsigned long long>(needed), count, remaining);
    }
    return count;
}
} // namespace Base
