#include "host/values/ccalibrationwaitrequest.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Base::CCalibrationWaitRequest;
using State = Base::ICalibrationWaitRequest::ECalibrationState;
using Question = Base::ICalibrationWaitRequest::EQuestionType;
using Device = Base::ICalibrationWaitRequest::EDeviceType;

constexpr Device kDevice = static_cast<Device>(3);
constexpr Device kOtherDevice = static_cast<Device>(4);
float const kNaN = std::numeric_limits<float>::quiet_NaN();

/// A request with every field away from its default.
CCalibrationWaitRequest Asking()
{
    CCalibrationWaitRequest request;
    request.Set(State::WaitingForNumber, CStringW(L"Type a number"), Question::OkCancel, kDevice, L"42",
                true);
    request.Set(0U, 0.5f, true, kDevice);
    return request;
}

TEST(HostCalibrationWaitRequest, EachFieldAloneMakesRequestsDiffer)
{
    struct SRow
    {
        char const* field;
        std::function<bool(CCalibrationWaitRequest&)> change; // returns what Set returned
    };
    using Change = std::function<bool(CCalibrationWaitRequest&)>;
    auto const ask = [](State state, wchar_t const* text, Question question, wchar_t const* initial) -> Change
    { return [=](auto& r) { return r.Set(state, CStringW(text), question, kDevice, initial, true); }; };
    auto const report = [](unsigned int id, float progress, bool warning, Device device) -> Change
    { return [=](auto& r) { return r.Set(id, progress, warning, device); }; };
    std::vector<SRow> const rows = {
        {"state", ask(State::WaitingForAnswer, L"Type a number", Question::OkCancel, L"42")},
        {"instruction text", ask(State::WaitingForNumber, L"Other", Question::OkCancel, L"42")},
        {"question", ask(State::WaitingForNumber, L"Type a number", Question::Ok, L"42")},
        {"initial value", ask(State::WaitingForNumber, L"Type a number", Question::OkCancel, L"43")},
        {"instruction id", report(7U, 0.5f, true, kDevice)},
        {"device type", report(0U, 0.5f, true, kOtherDevice)},
        {"progress", report(0U, 0.25f, true, kDevice)},
        {"progress NaN (equal to another NaN)", report(0U, kNaN, true, kDevice)},
        {"warning", report(0U, 0.5f, false, kDevice)},
        {"cleared", [](auto& r) { return r.Clear(); }},
    };
    CCalibrationWaitRequest const original = Asking();
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.field);
        CCalibrationWaitRequest changed = original;
        EXPECT_FALSE(changed != original) << "a copy differs";
        EXPECT_TRUE(row.change(changed)) << "Set reported no change";
        EXPECT_TRUE(changed != original);
        EXPECT_TRUE(original != changed);
        EXPECT_FALSE(row.change(changed)) << "the same Set again reported a change";
        EXPECT_FALSE(changed != CCalibrationWaitRequest(changed)) << "a copy differs";
        CCalibrationWaitRequest assigned;
        assigned = changed;
        EXPECT_FALSE(assigned != changed) << "an assigned copy differs";
    }
}

TEST(HostCalibrationWaitRequest, AnInstructionIsAnIdOrAText)
{
    CCalibrationWaitRequest request = Asking();
    request.Set(State::WaitingForAnswer, 12U, Question::Ok, kDevice, L"", false);
    EXPECT_EQ(12U, request.GetInstructionId());
    EXPECT_TRUE(request.GetInstructionText().IsEmpty()) << "a question by id keeps an old text";
    EXPECT_EQ(0.5f, request.GetProgress()) << "a question changed the progress";

    request.Set(State::WaitingForAnswer, CStringW(L"Look"), Question::Ok, kDevice, L"7", true);
    EXPECT_EQ(0U, request.GetInstructionId()) << "a question by text keeps an old id";
    EXPECT_EQ(L"7", request.GetInitialValue());
    EXPECT_TRUE(request.IsWarning());

    request.Set(5U, 0.75f, false, kOtherDevice);
    EXPECT_EQ(State::WaitingForAnswer, request.GetCalibState()) << "a progress report changed the state";
    EXPECT_EQ(Question::Ok, request.GetQuestionType()) << "a progress report changed the question";
    request.Clear();
    EXPECT_FALSE(request != CCalibrationWaitRequest()) << "a cleared request is not the default one";
}
} // namespace
