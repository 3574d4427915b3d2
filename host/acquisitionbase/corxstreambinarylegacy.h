#pragma once
// Serialization of command arguments in the legacy binary format of the host.
//
// The format is fixed and independent of the platform; this is the one place that defines it.
// - Integers (every standard integer type except wchar_t and bool, including enums, which are written
//   as their underlying type): two's complement, little-endian, as many bytes as the type has on this
//   platform (int8/char 1, int16/short 2, int32/int 4, int64/long long 8). `long` and `unsigned long`
//   take 8 bytes here but took 4 on the original platform: prefer the fixed-width types. A lone wchar_t
//   cannot be written (its size differs between platforms); write strings instead.
// - bool: one byte, 0 or 1; reading any other byte is an error.
// - float / double: IEEE 754 binary32 / binary64, little-endian (4 / 8 bytes).
// - std::wstring / CStringW: a uint32 count of UTF-16 code units, then the units, each a little-endian
//   uint16. Characters above U+FFFF take a surrogate pair and read back as one wchar_t. Values that are
//   not Unicode scalar values are written as U+FFFD; on reading, an unpaired surrogate becomes U+FFFD.
// - std::vector<T>: a uint32 element count, then the elements in this format.
// Reading is safe against hostile input: running out of bytes, a count that the remaining bytes cannot
// hold, or a bool byte other than 0/1 throw OrxException saying what was being read and what was
// missing. A count is checked against the remaining bytes before anything is allocated for it, so
// reading allocates at most a small constant multiple of the input's size.
#include "host/foundation/cstringw.h"
#include "host/foundation/jbstreamreadbinary.h"
#include "host/foundation/jbstreamwritebinary.h"
#include "host/orx2hostexport.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace Base
{
namespace Detail
{
template <class T>
constexpr bool kIsLegacyInteger =
    std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, wchar_t>;

/// The fewest bytes an encoded T takes; bounds what a count may claim before anything is allocated.
template <class T> constexpr std::size_t LegacyMinimumEncodedSize()
{
    if constexpr (std::is_enum_v<T>)
    {
        return sizeof(std::underlying_type_t<T>);
    }
    else if constexpr (std::is_arithmetic_v<T>)
    {
        return sizeof(T);
    }
    else
    {
        return sizeof(std::uint32_t); // strings and vectors start with their count
    }
}
} // namespace Detail

/// Writes values in the legacy binary format (see the top of this file) to a byte stream. Not
/// thread-safe (one writer); exceptions of the underlying stream propagate.
class ORX2_HOST_EXPORT CORXStreamWriteBinaryLegacy
{
public:
    /// Throws OrxException when `stream` is null.
    explicit CORXStreamWriteBinaryLegacy(std::shared_ptr<JbStreamWriteBinary> stream);
    ~CORXStreamWriteBinaryLegacy();
    CORXStreamWriteBinaryLegacy(CORXStreamWriteBinaryLegacy const&) = delete;
    CORXStreamWriteBinaryLegacy& operator=(CORXStreamWriteBinaryLegacy const&) = delete;

    /// Writes one byte, 0 or 1.
    CORXStreamWriteBinaryLegacy& operator<<(bool value);
    /// Writes the four bytes of the IEEE value, little-endian.
    CORXStreamWriteBinaryLegacy& operator<<(float value);
    /// Writes the eight bytes of the IEEE value, little-endian.
    CORXStreamWriteBinaryLegacy& operator<<(double value);
    /// Throws OrxException when the text has more than 2^32-1 UTF-16 units.
    CORXStreamWriteBinaryLegacy& operator<<(std::wstring const& value);
    /// As the std::wstring overload.
    CORXStreamWriteBinaryLegacy& operator<<(CStringW const& value);

    /// Writes an integer in its width, little-endian.
    template <class T, std::enable_if_t<Detail::kIsLegacyInteger<T>, int> = 0>
    CORXStreamWriteBinaryLegacy& operator<<(T value)
    {
        WriteInteger(static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value)), sizeof(T));
        return *this;
    }

    /// Writes an enumeration as its underlying integer.
    template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
    CORXStreamWriteBinaryLegacy& operator<<(T value)
    {
        return *this << static_cast<std::underlying_type_t<T>>(value);
    }

    /// Throws OrxException when `values` has more than 2^32-1 elements.
    template <class T> CORXStreamWriteBinaryLegacy& operator<<(std::vector<T> const& values)
    {
        WriteCount(values.size(), typeid(std::vector<T>));
        for (T const& value : values)
        {
            *this << value;
        }
        return *this;
    }

    // Not part of the format; deleted so that they do not silently convert to bool or another number.
    CORXStreamWriteBinaryLegacy& operator<<(wchar_t value) = delete;
    CORXStreamWriteBinaryLegacy& operator<<(long double value) = delete;
    template <class T> CORXStreamWriteBinaryLegacy& operator<<(T const* value) = delete;

private:
    void WriteInteger(std::uint64_t value, std::size_t size);
    void WriteCount(std::size_t count, std::type_info const& type);

    std::shared_ptr<JbStreamWriteBinary> m_stream;
};

/// Reads values in the legacy binary format (see the top of this file) from a byte stream. On an
/// exception the target keeps its previous value; the stream position is then unspecified. Not
/// thread-safe (one reader).
class ORX2_HOST_EXPORT CORXStreamReadBinaryLegacy
{
public:
    /// Throws OrxException when `stream` is null.
    explicit CORXStreamReadBinaryLegacy(std::shared_ptr<JbStreamReadBinary> stream);
    ~CORXStreamReadBinaryLegacy();
    CORXStreamReadBinaryLegacy(CORXStreamReadBinaryLegacy const&) = delete;
    CORXStreamReadBinaryLegacy& operator=(CORXStreamReadBinaryLegacy const&) = delete;

    /// Throws OrxException when the byte is neither 0 nor 1 or missing.
    CORXStreamReadBinaryLegacy& operator>>(bool& value);
    /// Reads an IEEE float, little-endian. This and the readers below throw OrxException when the input
    /// ends early or a count exceeds what is left.
    CORXStreamReadBinaryLegacy& operator>>(float& value);
    /// Reads an IEEE double, little-endian.
    CORXStreamReadBinaryLegacy& operator>>(double& value);
    /// Reads a counted UTF-16 text.
    CORXStreamReadBinaryLegacy& operator>>(std::wstring& value);
    /// Reads a counted UTF-16 text.
    CORXStreamReadBinaryLegacy& operator>>(CStringW& value);

    /// Reads an integer in its width, little-endian. Throws as above.
    template <class T, std::enable_if_t<Detail::kIsLegacyInteger<T>, int> = 0>
    CORXStreamReadBinaryLegacy& operator>>(T& value)
    {
        auto const bits = static_cast<std::make_unsigned_t<T>>(ReadInteger(sizeof(T), typeid(T)));
        std::memcpy(&value, &bits, sizeof(T));
        return *this;
    }

    /// Any value of the underlying type is accepted; validating it is the caller's business.
    template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
    CORXStreamReadBinaryLegacy& operator>>(T& value)
    {
        std::underlying_type_t<T> raw{};
        *this >> raw;
        value = static_cast<T>(raw);
        return *this;
    }

    /// Reads a count, then that many elements. Throws as above.
    template <class T> CORXStreamReadBinaryLegacy& operator>>(std::vector<T>& values)
    {
        std::uint32_t const count = ReadCount(Detail::LegacyMinimumEncodedSize<T>(), typeid(std::vector<T>));
        std::vector<T> result;
        result.reserve(count);
        for (std::uint32_t index = 0; index < count; ++index)
        {
            T element{};
            *this >> element;
            result.push_back(std::move(element));
        }
        values = std::move(result);
        return *this;
    }

    CORXStreamReadBinaryLegacy& operator>>(wchar_t& value) = delete;
    CORXStreamReadBinaryLegacy& operator>>(long double& value) = delete;

    /// The number of bytes not read yet.
    std::size_t GetRemaining() const;

private:
    void ReadBytes(void* data, std::size_t size, std::type_info const& type);
    std::uint64_t ReadInteger(std::size_t size, std::type_info const& type);
    /// Reads a count and checks that `count * minimumElementSize` bytes are left.
    std::uint32_t ReadCount(std::size_t minimumElementSize, std::type_info const& type);

    std::shared_ptr<JbStreamReadBinary> m_stream;
};
} // namespace Base
