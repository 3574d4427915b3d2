#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "businesslayer/common/ccameracalibrationviewmodelbase.h"
#include "businesslayer/common/ccolorcalibdialogviewmodelbase.h"
#include "host/values/ccalibrationwaitrequest.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace ReferenceHost
{
/// A scripted calibration engine: what a host does to run a calibration through the calibration view
/// models, for tests, examples and the simulator.
///
/// It holds the camera calibration view model, its step menu and the colour calibration dialog (any of
/// them may be absent) and, at construction:
/// - installs its own answer commands in the menu's seven answer slots and the dialog's three. They are
///   plain commands (not serializable, not registered): a replay runs the menu's recorded commands,
///   which forward to these again, so recording these too would answer twice;
/// - follows the camera view model's wait request: each new request (and the current one at once) is
///   copied and handed to the menu's SetAllProperties, on the thread that set it.
///
/// Play(script) then applies the steps in order: a step sets the visibility, the state (camera only)
/// and the wait request of its target. A step that awaits an answer holds the script until that answer
/// comes; every answer is recorded, whether awaited or not, and only the awaited one moves the script
/// on. Steps are applied on the caller's thread (Play returns at the first step that awaits an answer;
/// the answer that moves the script on applies the next steps on its own thread) or on an engine thread
/// of the driver (which waits for answers, pausing after a step for the step's pause).
///
/// Thread-safety: every member may be called from any thread, except that Play and the destructor must
/// not be called from inside an answer or a notification of the view models. Once the destructor has
/// begun, answers do nothing and no step is applied any more; the answer commands stay in the slots as
/// no-ops. The view models are held until the driver is destroyed.
class CCalibrationDriver
{
public:
    using Request = Base::CCalibrationWaitRequest; ///< A wait request.
    using State = Base::ICalibrationWaitRequest::ECalibrationState; ///< The calibration's state.
    using Question = Base::ICalibrationWaitRequest::EQuestionType; ///< A question.

    /// An answer as the driver receives it.
    enum class EAnswer
    {
        Ok,
        Cancel,
        Retry,
        Continue,
        Abort,
        Confirm,
        TextInserted,
        DialogOk,
        DialogCancel,
        DialogCustom,
    };

    /// A received answer; `text` is the entered text of TextInserted, else empty.
    struct SAnswer
    {
        EAnswer answer; ///< Which answer.
        CStringW text; ///< The entered text, or empty.

        /// Equal when every field is equal.
        friend bool operator==(SAnswer const& a, SAnswer const& b)
        {
            return a.answer == b.answer && a.text == b.text;
        }
        /// Not equal when `==` is not.
        friend bool operator!=(SAnswer const& a, SAnswer const& b) { return !(a == b); }
    };

    /// Which view model a step writes.
    enum class ETarget
    {
        Camera,
        ColorDialog,
    };

    /// One step of a script.
    struct SStep
    {
        ETarget target = ETarget::Camera; ///< The view model the step writes.
        bool visible = true; ///< Whether the view model is shown.
        State state = State::NotRunning; ///< the camera's CalibrationState; unused for the dialog
        Request request; ///< The wait request shown.
        std::optional<EAnswer> awaited;    ///< the answer the script waits for after this step
        std::chrono::milliseconds pause{}; ///< on the engine thread, a pause after a step that awaits nothing
    };

    /// Where the steps are applied: on the calling thread or on an engine thread of the driver.
    enum class EThread
    {
        Caller,
        Engine,
    };

    /// @{
    /// A question by text, by resource string id, and a progress report in state 1 (the text a format
    /// of the percentage). Throw std::bad_alloc.
    static Request Ask(State state, CStringW text, Question question, CStringW initialValue = CStringW());
    static Request AskById(State state, unsigned int instructionId, Question question,
                           CStringW initialValue = CStringW());
    static Request Report(CStringW text, float progress, Question question = Question::None);
    /// @}
    /// @{
    /// A step showing the camera calibration with `request` (the state is the request's), and one
    /// hiding it with state 0 and a default request.
    static SStep CameraStep(Request const& request, std::optional<EAnswer> awaited = std::nullopt,
                            std::chrono::milliseconds pause = {});
    static SStep CameraEnd();
    /// @}
    /// @{
    /// The same for the colour calibration dialog.
    static SStep DialogStep(Request const& request, std::optional<EAnswer> awaited = std::nullopt);
    static SStep DialogEnd();
    /// @}

    /// Installs the answer commands and starts following the camera's wait request (applying the
    /// current one to the menu at once). Throws std::bad_alloc and what the host's journal throws.
    CCalibrationDriver(std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> camera,
                       std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> menu,
                       std::shared_ptr<BusinessLayer::CColorCalibDialogViewModelBase> dialog);
    /// Answers do nothing from now on; stops the engine thread and waits for it.
    ~CCalibrationDriver();
    CCalibrationDriver(CCalibrationDriver const&) = delete;
    CCalibrationDriver& operator=(CCalibrationDriver const&) = delete;

    /// Plays `script` from its first step on the given thread, after stopping a script still playing
    /// (its engine thread is waited for). Answers recorded so far are kept. A step whose target is
    /// absent is skipped (an awaited answer of it still holds the script). Throws std::system_error when
    /// no thread can be started, and what the view models' observers throw on the caller's thread.
    void Play(std::vector<SStep> script, EThread thread = EThread::Caller);

    /// Waits until the script holds for an answer or has ended, for at most `timeout`. True when it does.
    bool WaitUntilSettled(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    /// The answer the script waits for, if any.
    std::optional<EAnswer> GetAwaited() const;
    /// The number of steps applied (or being applied) of the current script.
    std::size_t GetStepsApplied() const;
    /// True once every step of the current script has been applied and answered.
    bool IsFinished() const;
    /// Every answer received, oldest first.
    std::vector<SAnswer> GetAnswers() const;
    /// Grows with every step applied and every answer received (and when Play starts a script), after
    /// the change is readable through the getters above; its value-changed event runs on the thread that
    /// made the change. For a GUI or a watcher that re-reads the driver when it changes.
    Base::IProperty<std::size_t> const& GetRevision() const { return m_revision; }

private:
    void OnAnswer(EAnswer answer, CStringW text);
    /// Applies steps on this thread until one awaits an answer or the script ends; does nothing when
    /// another thread is applying steps (it will see what changed).
    void Pump();
    void EngineLoop();
    void Apply(SStep const& step);
    void StopEngine();
    /// Publishes a new revision; called without m_mutex held.
    void Changed();
    bool IsSettledLocked() const;
    template <class... Args>
    std::shared_ptr<Base::ICommand<Args...>> MakeAnswer(EAnswer answer, wchar_t const* name);

    std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> const m_camera;
    std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> const m_menu;
    std::shared_ptr<BusinessLayer::CColorCalibDialogViewModelBase> const m_dialog;

    std::mutex m_playMutex; // serialises Play and the destructor's stop (they start and join m_engine)
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<SStep> m_script;
    std::size_t m_next = 0;
    std::optional<EAnswer> m_awaited;
    bool m_applying = false;
    bool m_onEngine = false;
    bool m_stopping = false;
    std::vector<SAnswer> m_answers;
    std::size_t m_changes = 0;
    std::thread m_engine;
    Base::CSilentChangeOwner m_silent; // nobody listens to the driver as an owner
    Base::TProperty<std::size_t> m_revision{0, m_silent};

    Base::COwnerGuard m_guard; // before the answer commands: they reach the driver only while it is whole
    Base::Binding::TValueChangedObserver<Request> m_follower;
};
} // namespace ReferenceHost
