#include "host/values/ccalibrationwaitrequest.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

namespace
{
using Base::CCalibrationWaitRequest;
using State = Base::ICalibrationWaitRequest::ECalibrationState;
using Question = Base::ICalibrationWaitRequest::EQuestionType;
using Device = Base::ICalibrationWaitRequest::EDeviceType;
using Change = std::function<bool(CCalibrationWaitRequest&)>; // returns what Set returned

Change Ask(State state, wchar_t const* text, Question question, wchar_t const* initial, bool warning = true)
{
    return [=](auto& r) { return r.Set(state, CStringW(text), question, Device(3), initial, warning); };
}
Change Report(unsigned int id, float progress, bool warning = true, Device device = Device(3))
{
    return [=](auto& r) { return r.Set(id, progress, warning, device); };
}

TEST(HostCalibrationWaitRequest, EachFieldAloneMakesRequestsDiffer)
{
    CCalibrationWaitRequest original;
    Ask(State::WaitingForNumber, L"Type", Question::OkCancel, L"42")(original);
    Report(0U, 0.5f)(original);
    std::vector<std::pair<char const*, Change>> const rows = {
        {"state", Ask(State::WaitingForAnswer, L"Type", Question::OkCancel, L"42")},
        {"instruction text", Ask(State::WaitingForNumber, L"Other", Question::OkCancel, L"42")},
        {"question", Ask(State::WaitingForNumber, L"Type", Question::Ok, L"42")},
        {"initial value", Ask(State::WaitingForNumber, L"Type", Question::OkCancel, L"43")},
        {"warning by a question", Ask(State::WaitingForNumber, L"Type", Question::OkCancel, L"42", false)},
        {"instruction id", Report(7U, 0.5f)},
        {"device type", Report(0U, 0.5f, true, Device(4))},
        {"progress", Report(0U, 0.25f)},
        {"progress NaN (equal to another NaN)", Report(0U, std::numeric_limits<float>::quiet_NaN())},
        {"warning", Report(0U, 0.5f, false)},
        {"by id: the text goes, the progress stays", [](auto& r)
         { return r.Set(State::WaitingForNumber, 0U, Question::OkCancel, Device(3), L"42", true); }},
        {"cleared", [](auto& r) { return r.Clear() && !(r != CCalibrationWaitRequest()); }},
    };
    for (auto const& [field, change] : rows)
    {
        SCOPED_TRACE(field);
        CCalibrationWaitRequest changed = original;
        EXPECT_TRUE(change(changed)) << "Set reported no change";
        EXPECT_TRUE(changed != original && original != changed);
        EXPECT_FALSE(change(changed)) << "the same Set again reported a change";
    }
    CCalibrationWaitRequest request = original;
    Report(5U, 0.75f, false, Device(4))(request);
    EXPECT_EQ(L"Type", request.GetInstructionText()) << "a progress report changed the question";
    EXPECT_EQ(L"42", request.GetInitialValue());
    Ask(State::WaitingForAnswer, L"Look", Question::Ok, L"7")(request);
    EXPECT_EQ(0U, request.GetInstructionId()) << "a question by text keeps an old id";
    EXPECT_EQ(0.75f, request.GetProgress()) << "a question changed the progress";
}
} // namespace
