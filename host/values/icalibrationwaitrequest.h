#pragma once
// What the acquisition engine waits for during a calibration, as the acquisition base library hands it
// to the GUI side.
#include "host/foundation/cstringw.h"
#include "host/orx2hostexport.h"
#include "host/values/tviacquiredeviceinfo.h"

#include <cstdint>

namespace Base
{
/// A calibration engine's wait request: the phase of the run, the instruction for the user (a resource
/// string id, or a text when the id is 0), the answer the engine waits for, the device concerned, a
/// proposed number, the progress and a warning flag. Implemented by CCalibrationWaitRequest; read by the
/// calibration step menu through the getters only.
class ORX2_HOST_EXPORT ICalibrationWaitRequest
{
public:
    /// The phase of a calibration run, in the engine's numbering; the camera calibration view model
    /// publishes the same type. Any 32-bit value may arrive: only the named ones and the ranges below
    /// are told apart, every other value is carried unchanged.
    enum class ECalibrationState : std::int32_t
    {
        NotRunning = 0,
        InProgress = 1,
        Succeeded = 2,
        Failed = 3,  ///< finished unsuccessfully
        Aborted = 4, ///< finished unsuccessfully as well; shown like Failed
        WaitingForAnswer = 5,
        Holding = 6, ///< the GUI keeps showing what it showed
        WaitingForNumber = 7,
        // 8 to 12 and 14 to 23: waiting for an answer, like WaitingForAnswer
        WaitingForAnotherNumber = 13,
        LastWaitingForAnswer = 23, ///< values above it are, like Holding, left alone
    };

    /// The answer the engine waits for.
    enum class EQuestionType : std::int32_t
    {
        None = 0,
        Ok = 1,
        OkCancel = 2,
        Cancel = 3,
        NoButton = 4, ///< the engine goes on by itself; no dedicated button
        Continue = 5,
        Abort = 6,
        Info = 7,
        Confirm = 8,
        Retry = 9,
    };

    using EDeviceType = TvIAcquireDeviceInfo::EDeviceType; ///< The kind of device being calibrated.

    virtual ~ICalibrationWaitRequest();

    /// A progress report: sets the instruction id, the progress, the warning flag and the device type;
    /// state, question, instruction text and initial value stay. Returns true when the request changed.
    virtual bool Set(unsigned int instructionId, float progress, bool warning, EDeviceType deviceType) = 0;
    /// A question by resource string: sets the state, the instruction id (the text is emptied), the
    /// question, the device type, the initial value (the number proposed to the user) and the warning
    /// flag; the progress stays. Returns true when the request changed.
    virtual bool Set(ECalibrationState state, unsigned int instructionId, EQuestionType question,
                     EDeviceType deviceType, CStringW initialValue, bool warning) = 0;
    /// A question by text: as above, with the instruction text (the id becomes 0, so the text applies).
    virtual bool Set(ECalibrationState state, CStringW instructionText, EQuestionType question,
                     EDeviceType deviceType, CStringW initialValue, bool warning) = 0;
    /// Back to the default request (nothing running, nothing asked). Returns true when it changed.
    virtual bool Clear() = 0;

    /// The state of the run: what is going on or being asked.
    virtual ECalibrationState GetCalibState() const = 0;
    /// A resource string id; 0 means that the instruction text applies.
    virtual unsigned int GetInstructionId() const = 0;
    /// The instruction as a text; applies when the instruction id is 0.
    virtual CStringW GetInstructionText() const = 0;
    /// The question asked, or None.
    virtual EQuestionType GetQuestionType() const = 0;
    /// A proposal for the number the user is asked for; empty when there is none.
    virtual CStringW GetInitialValue() const = 0;
    /// A fraction; 0 to 1 is meaningful, anything else (NaN included) is carried unchanged.
    virtual float GetProgress() const = 0;
    /// Whether the instruction is a warning.
    virtual bool IsWarning() const = 0;
    /// The kind of device being calibrated.
    virtual EDeviceType GetDeviceType() const = 0;

    /// True when any field differs. Two NaN progresses count as equal (and 0 as equal to -0), so a
    /// request that reports no meaningful progress still compares equal to its copy and a property
    /// holding it notifies only on real changes.
    virtual bool operator!=(ICalibrationWaitRequest const& other) const = 0;

protected:
    ICalibrationWaitRequest() = default;
    /// A copy.
    ICalibrationWaitRequest(ICalibrationWaitRequest const&) = default;
    /// Copies.
    ICalibrationWaitRequest& operator=(ICalibrationWaitRequest const&) = default;
};
} // namespace Base
