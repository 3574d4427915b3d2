#include "host/acquisitionbase/corxstreambinarylegacy.h"

#include "host/foundation/jbstreamreadbinarybuffer.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "host/foundation/orxexception.h"

#include "hosttestsupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<unsigned char>;
using Base::CORXStreamReadBinaryLegacy;
using Base::CORXStreamWriteBinaryLegacy;

enum class EMode : std::uint16_t
{
    Idle = 0,
    Scanning = 0x1234
};

enum ESigned : std::int8_t
{
    Negative = -2
};

template <class T> Bytes Encode(T const& value)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    CORXStreamWriteBinaryLegacy writer(buffer);
    writer << value;
    return buffer->GetBytes();
}

CORXStreamReadBinaryLegacy MakeReader(Bytes const& bytes)
{
    return CORXStreamReadBinaryLegacy(
        std::make_shared<JbStreamReadBinaryBuffer>(JbArray<unsigned char>(bytes.data(), bytes.size())));
}

template <class T> T Decode(Bytes const& bytes)
{
    CORXStreamReadBinaryLegacy reader = MakeReader(bytes);
    T value{};
    reader >> value;
    EXPECT_EQ(reader.GetRemaining(), 0U) << "every written byte is read back";
    return value;
}

/// Decodes `bytes`, which must be rejected; returns the message.
template <class T> std::string DecodeFailure(Bytes const& bytes, T initial = T{})
{
    CORXStreamReadBinaryLegacy reader = MakeReader(bytes);
    T value = initial;
    try
    {
        reader >> value;
    }
    catch (OrxException const& exception)
    {
        EXPECT_TRUE(value == initial) << "the target keeps its value on failure";
        EXPECT_EQ(exception.GetFile(), "host/acquisitionbase/corxstreambinarylegacy");
        EXPECT_GT(exception.GetLine(), 0);
        return exception.what();
    }
    ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    return {};
}

/// Round-trips `value` and checks that every strict prefix of its encoding is rejected.
template <class T> void ExpectRoundTripAndTruncationSafety(T const& value)
{
    Bytes const bytes = Encode(value);
    EXPECT_TRUE(Decode<T>(bytes) == value);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
    {
        std::string const message =
            DecodeFailure<T>(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        EXPECT_NE(message.find("needed"), std::string::npos) << "cut at " << cut << ": " << message;
    }
}

TEST(HostLegacyStream, LayoutIsPinnedAndInvalidCharactersBecomeReplacementCharacters)
{
    EXPECT_EQ(Encode(true), (Bytes{0x01}));
    EXPECT_EQ(Encode(std::int32_t{0x01020304}), (Bytes{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(Encode(std::uint64_t{0x0102030405060708}), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Encode(EMode::Scanning), (Bytes{0x34, 0x12}));
    EXPECT_EQ(Encode(Negative), (Bytes{0xFE}));
    EXPECT_EQ(Encode(1.0), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(Encode(std::wstring(L"A\U0001F600")), (Bytes{3, 0, 0, 0, 0x41, 0x00, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(Encode(std::vector<std::uint8_t>{1, 2}), (Bytes{2, 0, 0, 0, 1, 2}));
    EXPECT_EQ(Encode(std::vector<bool>{true, false}), (Bytes{2, 0, 0, 0, 1, 0}));
    // Invalid characters are written and read as replacement characters: a high surrogate followed by a
    // letter, then a lone low surrogate; a high surrogate at the end.
    EXPECT_EQ(Encode(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)}),
              (Bytes{2, 0, 0, 0, 0xFD, 0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(Decode<std::wstring>(Bytes{3, 0, 0, 0, 0x00, 0xD8, 0x41, 0x00, 0x00, 0xDC}), L"\uFFFDA\uFFFD");
    EXPECT_EQ(Decode<std::wstring>(Bytes{1, 0, 0, 0, 0x3D, 0xD8}), L"\uFFFD");
}

// Every integer width and signedness goes through one writer and one reader: a type per width, with
// every byte set or the sign bit in the top one, is enough; enums are pinned by the layout and the vector
// below.
TEST(HostLegacyStream, ScalarsStringsAndVectorsRoundTripAndRejectEveryTruncation)
{
    ExpectRoundTripAndTruncationSafety(true);
    ExpectRoundTripAndTruncationSafety(Negative);
    ExpectRoundTripAndTruncationSafety(std::int16_t{-32768});
    ExpectRoundTripAndTruncationSafety(std::numeric_limits<unsigned long long>::max());
    ExpectRoundTripAndTruncationSafety(std::numeric_limits<long>::min());
    ExpectRoundTripAndTruncationSafety(-1.5f);
    ExpectRoundTripAndTruncationSafety(std::numeric_limits<double>::denorm_min());
    ExpectRoundTripAndTruncationSafety(std::wstring(L"Gr\u00FC\u00DFe \U0001F600 \U0010FFFF"));
    ExpectRoundTripAndTruncationSafety(CStringW(L"Scan \u20AC"));
    ExpectRoundTripAndTruncationSafety(std::vector<int>{1, -2, 3});
    ExpectRoundTripAndTruncationSafety(std::vector<bool>{true, false, true});
    ExpectRoundTripAndTruncationSafety(std::vector<std::wstring>{L"a", L"", L"\U0001F600"});
    ExpectRoundTripAndTruncationSafety(std::vector<std::vector<std::uint16_t>>{{1, 2}, {}, {3}});
    ExpectRoundTripAndTruncationSafety(std::vector<EMode>{EMode::Idle, EMode::Scanning});
}

TEST(HostLegacyStream, HostileCountsFailBeforeAllocating)
{
    Bytes const hugeCount{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
    HostTest::CAllocationProbe const probe;
    std::string const text = DecodeFailure<std::wstring>(hugeCount);
    DecodeFailure<std::vector<std::uint64_t>>(hugeCount);
    DecodeFailure<std::vector<std::wstring>>(hugeCount);
    DecodeFailure<std::vector<std::vector<int>>>(Bytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_LT(probe.GetLargest(), 4096U) << "nothing sized by the claimed count was allocated";
    EXPECT_NE(text.find("8589934590 bytes needed"), std::string::npos) << text; // not wrapped at 32 bits
}

TEST(HostLegacyStream, MalformedBytesAndNullStreamsAreRejectedSayingWhatWasReadAndWhatWasMissing)
{
    EXPECT_EQ(DecodeFailure<std::wstring>(Bytes{6, 0, 0, 0, 1, 0, 2}),
              "Reading std::wstring: 12 bytes needed for 6 elements, 3 left");
    EXPECT_EQ(DecodeFailure<std::int32_t>(Bytes{1}), "Reading int: 4 bytes needed, 1 left");
    EXPECT_EQ(DecodeFailure<double>(Bytes{1, 2}), "Reading double: 8 bytes needed, 2 left");
    EXPECT_EQ(DecodeFailure<bool>(Bytes{0x02}), "Reading bool: byte 0x02 is neither 0 nor 1");
    DecodeFailure<std::vector<bool>>(Bytes{1, 0, 0, 0, 0xFF});
    EXPECT_THROW(CORXStreamWriteBinaryLegacy(nullptr), OrxException);
    EXPECT_THROW(CORXStreamReadBinaryLegacy(nullptr), OrxException);
}
} // namespace
