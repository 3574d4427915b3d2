#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "businesslayer/common/cstepmenuitemviewmodelbase.h"
#include "businesslayer/common/cstepmenuviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/foundation/cstringw.h"
#include "host/logging/clogger.h"
#include "host/values/icalibrationwaitrequest.h"

#include <array>
#include <cstddef>
#include <memory>

namespace BusinessLayer
{
/// The step menu shown during a camera calibration: the engine's instruction and the answers it waits
/// for. Nine fixed entries in this order: the info text (type eInfoText, group "eInfoText"), the number
/// input (eConfigCameraCalibrationSetNumberInput, group "InputText"), and the buttons OK, Retry, Cancel,
/// Continue, Abort, Info and Confirm (eOk, eRetry, eCancel, eContinue, eAbort, eInfo, eConfirm, each in
/// the group of its type's name). All start invisible; the info text and the number input have their
/// OK and Cancel enabled.
///
/// The menu never answers the engine. Each button runs a registered, serializable, GUI-locking command
/// that forwards to an answer slot the host fills: "CCameraCalibrationStepMenuViewModel.Ok" runs
/// OkPressed, ".Retry" RetryPressed, ".Cancel" CancelPressed, ".Continue" ContinuePressed, ".Abort"
/// AbortPressed and ".Confirm" ConfirmPressed, each then logging "OK pressed", "Retry pressed", "Cancel
/// pressed", "Continue pressed", "Abort pressed" or "Confirm pressed" (also when the slot is empty);
/// ".OkCancel" (of the info text and of the number input) runs OkPressed with true and CancelPressed
/// with false, ".TextInserted" runs TextInserted with the entered text; these two log nothing. A slot is
/// read afresh at each execution, and the answer's result is dropped. An answer command that throws
/// stops nothing here: its exception leaves the button's Execute to whoever pressed it (the GUI-locking
/// count is back by then, the press is still logged, and the recording marks the execution unfinished,
/// so a replay can leave it out).
///
/// The six log lines: channel "ORX2.CCameraCalibrationStepMenuViewModel", source
/// "businesslayer/common/ccameracalibrationstepmenuviewmodel", functions
/// "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnOk" (line 320), "...::OnRetry" (326),
/// "...::OnCancel" (332), "...::OnContinue" (338), "...::OnAbort" (344) and "...::OnConfirm" (350).
///
/// The host calls SetAllProperties with a copy of the camera calibration view model's wait request each
/// time that request changes. Only real changes notify the GUI.
///
/// Commands are registered under their names for as long as the menu lives; while one menu lives, a
/// second one's commands are reachable only through its entries. An execution through a command that
/// outlived the menu does nothing; the destructor waits for one running on another thread.
///
/// Thread-safety: every member may be called from any thread; notifications run on the calling thread.
/// Two threads applying requests at once leave the entries showing a mix of both: apply them from one
/// thread (the driver's) at a time.
class ORX2_COMMON_EXPORT CCameraCalibrationStepMenuViewModel : public CStepMenuViewModelBase
{
public:
    /// An answer slot: the command the host installs for a button.
    using AnswerSlot = Base::TProperty<std::shared_ptr<Base::ICommand<>>>;
    /// The text slot: the command the host installs for the number input.
    using TextSlot = Base::TProperty<std::shared_ptr<Base::ICommand<CStringW>>>;
    using ButtonCommand = Base::TSerializableCommand<void>; ///< The command of a button.
    /// The command of OK and Cancel of the info text: true for OK.
    using OkCancelCommand = Base::TSerializableCommand<void, bool>;
    using TextCommand = Base::TSerializableCommand<void, CStringW>; ///< The command of the number input.
    using Request = Base::ICalibrationWaitRequest; ///< What the calibration driver asks.

    /// Builds the nine entries, makes and registers the nine commands and publishes the entries. Throws
    /// std::bad_alloc and what the host's journal throws.
    CCameraCalibrationStepMenuViewModel();
    ~CCameraCalibrationStepMenuViewModel() override;

    /// @{
    /// The answer slots the host fills; a change notifies this menu's PropertyChanged.
    AnswerSlot& GetOkPressed() { return m_okPressed; }
    AnswerSlot& GetCancelPressed() { return m_cancelPressed; }
    AnswerSlot& GetRetryPressed() { return m_retryPressed; }
    AnswerSlot& GetContinuePressed() { return m_continuePressed; }
    AnswerSlot& GetAbortPressed() { return m_abortPressed; }
    AnswerSlot& GetConfirmPressed() { return m_confirmPressed; }
    TextSlot& GetTextInserted() { return m_textInserted; }
    AnswerSlot const& GetOkPressed() const { return m_okPressed; }
    AnswerSlot const& GetCancelPressed() const { return m_cancelPressed; }
    AnswerSlot const& GetRetryPressed() const { return m_retryPressed; }
    AnswerSlot const& GetContinuePressed() const { return m_continuePressed; }
    AnswerSlot const& GetAbortPressed() const { return m_abortPressed; }
    AnswerSlot const& GetConfirmPressed() const { return m_confirmPressed; }
    TextSlot const& GetTextInserted() const { return m_textInserted; }
    /// @}

    /// Shows `request` on all entries, by its state: 0 hides everything; 1 shows the progress (the
    /// instruction as a format of the percentage) and the button the question names; 2 shows OK, 3 and
    /// 4 Confirm, with the texts kept; 5 and 7 to 23 show the instruction, the number input in states 7
    /// and 13 (its text the initial value followed by "##CTRL##asc"), the info text's own OK and Cancel
    /// for question 2, and the button of questions 1, 3, 5, 6, 7 and 8; 6 and every other state change
    /// nothing. An instruction id other than 0 is replaced by the resource string of that id.
    ///
    /// The instruction of state 1 is a format with one integer: its first `%d`, `%i` or `%u` (with
    /// flags, width and precision) takes the percentage, `%%` prints `%`, and every other conversion is
    /// copied as written, so a hostile text is shown, never formatted. The percentage is the integer
    /// part of progress × 100 + 0.5 computed in float (a progress of k/200 rounds its half percent
    /// up: 0.285 shows 29), for a progress from 0 to 1; any other progress, NaN included, shows 0.
    void SetAllProperties(Request& request);
    /// Shows or hides the seven answer buttons only: OK for questions 1 and 2, Retry 9, Cancel 2 and 3,
    /// Continue 5, Abort 6, Info 7, Confirm 8; none while a number is wanted (states 7 and 13).
    void SetButtonProperties(Request& request);

protected:
    /// Hides every entry (state 0).
    void initControlNone();
    /// Shows the progress entry and the button the request's question names (state 1).
    void initControlProgress(Request& request);
    /// Shows the instruction, the number input and the buttons a waiting question needs.
    void initControlWaitAnswer(Request& request);
    /// Shows the end of a run: finished, successfully or not.
    void initControlFinished(bool success);
    /// Shows the button that question `question` names (as in progress) and hides the others. Returns
    /// true.
    bool updateConfirm(Request::EQuestionType question) const;

private:
    static Logging::CLogger const s_logger;
    static constexpr std::size_t kEntryCount = 9;
    static constexpr std::size_t kFirstButton = 2; // entries 3 to 9 are the answer buttons

    void OnOkCancel(bool ok);
    void OnTextInserted(CStringW const& text);
    void OnOk();
    void OnRetry();
    void OnCancel();
    void OnContinue();
    void OnAbort();
    void OnConfirm();
    /// Runs `slot`'s command if there is one, then logs `pressed` (also when the command throws).
    void Forward(AnswerSlot const& slot, int line, char const* function, wchar_t const* pressed);
    /// Entry i (0-based) visible.
    void Show(std::size_t entry, bool visible) const;

    std::array<std::shared_ptr<Item>, kEntryCount> const m_entries;
    AnswerSlot m_okPressed{nullptr, *this};
    AnswerSlot m_cancelPressed{nullptr, *this};
    AnswerSlot m_retryPressed{nullptr, *this};
    AnswerSlot m_continuePressed{nullptr, *this};
    AnswerSlot m_abortPressed{nullptr, *this};
    AnswerSlot m_confirmPressed{nullptr, *this};
    TextSlot m_textInserted{nullptr, *this};
    std::shared_ptr<OkCancelCommand> const m_infoOkCancel;
    std::shared_ptr<OkCancelCommand> const m_inputOkCancel;
    std::shared_ptr<TextCommand> const m_inputTextInserted;
    std::shared_ptr<ButtonCommand> const m_ok;
    std::shared_ptr<ButtonCommand> const m_retry;
    std::shared_ptr<ButtonCommand> const m_cancel;
    std::shared_ptr<ButtonCommand> const m_continue;
    std::shared_ptr<ButtonCommand> const m_abort;
    std::shared_ptr<ButtonCommand> const m_confirm;
};
} // namespace BusinessLayer
