#include "host/values/ccalibrationwaitrequest.h"

#include <cmath>
#include <utility>

namespace Base
{
namespace
{
bool SameProgress(float a, float b) noexcept
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
} // namespace

CCalibrationWaitRequest::CCalibrationWaitRequest() = default;

CCalibrationWaitRequest::CCalibrationWaitRequest(CCalibrationWaitRequest const& other) = default;

CCalibrationWaitRequest& CCalibrationWaitRequest::operator=(CCalibrationWaitRequest const& other) = default;

CCalibrationWaitRequest::~CCalibrationWaitRequest() = default;

bool CCalibrationWaitRequest::Set(unsigned int instructionId, float progress, bool warning,
                                  EDeviceType deviceType)
{
    CCalibrationWaitRequest next(*this);
    next.m_instructionId = instructionId;
    next.m_progress = progress;
    next.m_warning = warning;
    next.m_deviceType = deviceType;
    return Become(next);
}

bool CCalibrationWaitRequest::Set(ECalibrationState state, unsigned int instructionId, EQuestionType question,
                                  EDeviceType deviceType, CStringW initialValue, bool warning)
{
    CCalibrationWaitRequest next(*this);
    next.m_state = state;
    next.m_instructionId = instructionId;
    next.m_instructionText = CStringW();
    next.m_question = question;
    next.m_deviceType = deviceType;
    next.m_initialValue = std::move(initialValue);
    next.m_warning = warning;
    return Become(next);
}

bool CCalibrationWaitRequest::Set(ECalibrationState state, CStringW instructionText, EQuestionType question,
                                  EDeviceType deviceType, CStringW initialValue, bool warning)
{
    CCalibrationWaitRequest next(*this);
    next.m_state = state;
    next.m_instructionId = 0;
    next.m_instructionText = std::move(instructionText);
    next.m_question = question;
    next.m_deviceType = deviceType;
    next.m_initialValue = std::move(initialValue);
    next.m_warning = warning;
    return Become(next);
}

bool CCalibrationWaitRequest::Clear()
{
    return Become(CCalibrationWaitRequest());
}

bool CCalibrationWaitRequest::operator!=(ICalibrationWaitRequest const& other) const
{
    return m_state != other.GetCalibState() || m_instructionId != other.GetInstructionId() ||
           m_instructionText != other.GetInstructionText() || m_question != other.GetQuestionType() ||
           m_deviceType != other.GetDeviceType() || m_initialValue != other.GetInitialValue() ||
           !SameProgress(m_progress, other.GetProgress()) || m_warning != other.IsWarning();
}

bool CCalibrationWaitRequest::Become(CCalibrationWaitRequest const& next)
{
    if (!(*this != next))
        return false;
    *this = next;
    return true;
}
} // namespace Base
