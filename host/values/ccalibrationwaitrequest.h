#pragma once
#include "host/orx2hostexport.h"
#include "host/values/icalibrationwaitrequest.h"

namespace Base
{
/// The acquisition base library's wait request (see ICalibrationWaitRequest), a value: default,
/// copy and assignment give independent objects, and properties store and hand out copies of it.
/// A new request is nothing running (state 0), id 0, empty texts, question None, device type Unknown,
/// progress 0 and no warning.
///
/// Thread-safety: that of a value type. Concurrent const calls on one object are safe; a request being
/// modified must not be used on another thread at the same time (hand copies across threads, as a
/// property does). No member throws except the copies of the texts (std::bad_alloc).
class ORX2_HOST_EXPORT CCalibrationWaitRequest : public ICalibrationWaitRequest
{
public:
    CCalibrationWaitRequest();
    /// A copy of `other`.
    CCalibrationWaitRequest(CCalibrationWaitRequest const& other);
    /// Copies `other`.
    CCalibrationWaitRequest& operator=(CCalibrationWaitRequest const& other);
    ~CCalibrationWaitRequest() override;

    bool Set(unsigned int instructionId, float progress, bool warning, EDeviceType deviceType) override;
    bool Set(ECalibrationState state, unsigned int instructionId, EQuestionType question,
             EDeviceType deviceType, CStringW initialValue, bool warning) override;
    bool Set(ECalibrationState state, CStringW instructionText, EQuestionType question,
             EDeviceType deviceType, CStringW initialValue, bool warning) override;
    bool Clear() override;

    ECalibrationState GetCalibState() const override { return m_state; }
    unsigned int GetInstructionId() const override { return m_instructionId; }
    CStringW GetInstructionText() const override { return m_instructionText; }
    EQuestionType GetQuestionType() const override { return m_question; }
    CStringW GetInitialValue() const override { return m_initialValue; }
    float GetProgress() const override { return m_progress; }
    bool IsWarning() const override { return m_warning; }
    EDeviceType GetDeviceType() const override { return m_deviceType; }

    bool operator!=(ICalibrationWaitRequest const& other) const override;
    /// The opposite of operator!=.
    bool operator==(ICalibrationWaitRequest const& other) const { return !(*this != other); }

private:
    /// Replaces this request by `next`; true when that changed it.
    bool Become(CCalibrationWaitRequest const& next);

    ECalibrationState m_state = ECalibrationState::NotRunning;
    unsigned int m_instructionId = 0;
    CStringW m_instructionText;
    EQuestionType m_question = EQuestionType::None;
    EDeviceType m_deviceType = EDeviceType::Unknown;
    CStringW m_initialValue;
    float m_progress = 0.0f;
    bool m_warning = false;
};
} // namespace Base
