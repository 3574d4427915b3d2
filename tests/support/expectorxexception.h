#pragma once
// Checks a thrown OrxException against where and how it must be reported.
#include "host/foundation/orxexception.h"

#include <gtest/gtest.h>

#include <string>

namespace Orx2Test
{
/// Where and how an OrxException must be reported. A line of 0 is not checked.
struct SExpectedOrxException
{
    std::wstring message;
    std::string file;
    int line = 0;
    std::string function;
};

/// Expects `call()` to throw an OrxException matching `expected`.
template <class Call> void ExpectOrxException(Call&& call, SExpectedOrxException const& expected)
{
    try
    {
        call();
        ADD_FAILURE() << "no OrxException from " << expected.function;
    }
    catch (OrxException const& e)
    {
        EXPECT_EQ(expected.message, e.GetMessage());
        EXPECT_EQ(expected.file, e.GetFile());
        EXPECT_EQ(expected.line == 0 ? e.GetLine() : expected.line, e.GetLine());
        EXPECT_EQ(expected.function, e.GetFunction());
    }
}
} // namespace Orx2Test
