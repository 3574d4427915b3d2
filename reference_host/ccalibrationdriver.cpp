#include "reference_host/ccalibrationdriver.h"

#include <utility>

namespace ReferenceHost
{
namespace
{
using Driver = CCalibrationDriver;

Base::Binding::TValueChangedObserver<Driver::Request>
FollowWaitRequest(std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> const& camera,
                  std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> const& menu)
{
    if (!camera || !menu)
        return {};
    // The menu keeps what it shows per request; the view model's stored request stays the host's.
    BusinessLayer::CCameraCalibrationStepMenuViewModel* const target = menu.get();
    return Base::Binding::TValueChangedObserver<Driver::Request>(camera->GetCalibrationWaitRequest(),
                                                                 [target](Driver::Request const& request)
                                                                 {
                                                                     Driver::Request copy(request);
                                                                     target->SetAllProperties(copy);
                                                                 });
}
} // namespace

CCalibrationDriver::CCalibrationDriver(
    std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> camera,
    std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> menu,
    std::shared_ptr<BusinessLayer::CColorCalibDialogViewModelBase> dialog)
    : m_camera(std::move(camera)), m_menu(std::move(menu)), m_dialog(std::move(dialog)),
      m_follower(FollowWaitRequest(m_camera, m_menu))
{
    if (m_menu)
    {
        m_menu->GetOkPressed().Set(MakeAnswer<>(EAnswer::Ok, L"CCalibrationDriver.Ok"));
        m_menu->GetCancelPressed().Set(MakeAnswer<>(EAnswer::Cancel, L"CCalibrationDriver.Cancel"));
        m_menu->GetRetryPressed().Set(MakeAnswer<>(EAnswer::Retry, L"CCalibrationDriver.Retry"));
        m_menu->GetContinuePressed().Set(MakeAnswer<>(EAnswer::Continue, L"CCalibrationDriver.Continue"));
        m_menu->GetAbortPressed().Set(MakeAnswer<>(EAnswer::Abort, L"CCalibrationDriver.Abort"));
        m_menu->GetConfirmPressed().Set(MakeAnswer<>(EAnswer::Confirm, L"CCalibrationDriver.Confirm"));
        m_menu->GetTextInserted().Set(
            MakeAnswer<CStringW>(EAnswer::TextInserted, L"CCalibrationDriver.TextInserted"));
    }
    if (m_dialog)
    {
        m_dialog->GetOKPressed().Set(MakeAnswer<>(EAnswer::DialogOk, L"CCalibrationDriver.DialogOk"));
        m_dialog->GetCancelPressed().Set(
            MakeAnswer<>(EAnswer::DialogCancel, L"CCalibrationDriver.DialogCancel"));
        m_dialog->GetCustomPressed().Set(
            MakeAnswer<>(EAnswer::DialogCustom, L"CCalibrationDriver.DialogCustom"));
    }
    m_guard.Open();
}

CCalibrationDriver::~CCalibrationDriver()
{
    m_guard.Close();
    std::lock_guard<std::mutex> const playing(m_playMutex);
    StopEngine();
}

template <class... Args>
std::shared_ptr<Base::ICommand<Args...>> CCalibrationDriver::MakeAnswer(EAnswer answer, wchar_t const* name)
{
    return std::make_shared<Base::TCommand<void, Args...>>(
        Base::BindToOwner(m_guard, *this,
                          [answer](CCalibrationDriver& driver, auto const&... text)
                          { driver.OnAnswer(answer, CStringW(text...)); }),
        name, false);
}

CCalibrationDriver::Request CCalibrationDriver::Ask(State state, CStringW text, Question question,
                                                    CStringW initialValue)
{
    Request request;
    request.Set(state, std::move(text), question, Request::EDeviceType::Unknown, std::move(initialValue),
                false);
    return request;
}

CCalibrationDriver::Request CCalibrationDriver::AskById(State state, unsigned int instructionId,
                                                        Question question, CStringW initialValue)
{
    Request request;
    request.Set(state, instructionId, question, Request::EDeviceType::Unknown, std::move(initialValue),
                false);
    return request;
}

CCalibrationDriver::Request CCalibrationDriver::Report(CStringW text, float progress, Question question)
{
    Request request = Ask(State::InProgress, std::move(text), question);
    request.Set(0U, progress, false, Request::EDeviceType::Unknown);
    return request;
}

CCalibrationDriver::SStep CCalibrationDriver::CameraStep(Request const& request, std::optional<EAnswer> awaited,
                                                         std::chrono::milliseconds pause)
{
    State const state = request.GetCalibState();
    return SStep{ETarget::Camera, true, state, request, awaited, pause};
}

CCalibrationDriver::SStep CCalibrationDriver::CameraEnd()
{
    return SStep{ETarget::Camera, false, State::NotRunning, Request(), std::nullopt, {}};
}

CCalibrationDriver::SStep CCalibrationDriver::DialogStep(Request const& request, std::optional<EAnswer> awaited)
{
    return SStep{ETarget::ColorDialog, true, State::NotRunning, request, awaited, {}};
}

CCalibrationDriver::SStep CCalibrationDriver::DialogEnd()
{
    return SStep{ETarget::ColorDialog, false, State::NotRunning, Request(), std::nullopt, {}};
}

void CCalibrationDriver::Play(std::vector<SStep> script, EThread thread)
{
    std::lock_guard<std::mutex> const playing(m_playMutex);
    StopEngine();
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_script = std::move(script);
        m_next = 0;
        m_awaited.reset();
        m_stopping = false;
        m_onEngine = thread == EThread::Engine;
        // On the engine thread, settled only once the engine has had its turn.
        m_applying = m_onEngine;
    }
    Changed();
    if (thread == EThread::Caller)
    {
        Pump();
        return;
    }
    try
    {
        m_engine = std::thread([this] { EngineLoop(); });
    }
    catch (...)
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_applying = false;
        m_onEngine = false;
        throw;
    }
}

bool CCalibrationDriver::WaitUntilSettled(std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return IsSettledLocked(); });
}

std::optional<CCalibrationDriver::EAnswer> CCalibrationDriver::GetAwaited() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_awaited;
}

std::size_t CCalibrationDriver::GetStepsApplied() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_next;
}

bool CCalibrationDriver::IsFinished() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return !m_applying && !m_awaited && m_next >= m_script.size();
}

std::vector<CCalibrationDriver::SAnswer> CCalibrationDriver::GetAnswers() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_answers;
}

void CCalibrationDriver::OnAnswer(EAnswer answer, CStringW text)
{
    bool movesOn = false;
    bool engine = false;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_answers.push_back({answer, std::move(text)});
        if (m_awaited == answer && !m_stopping)
        {
            m_awaited.reset();
            movesOn = true;
            engine = m_onEngine;
        }
    }
    m_changed.notify_all();
    Changed();
    if (movesOn && !engine)
        Pump();
}

void CCalibrationDriver::Pump()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_applying)
        return;
    m_applying = true;
    while (!m_stopping && !m_awaited && m_next < m_script.size())
    {
        SStep const step = m_script[m_next++];
        // Awaited from the moment the step goes out: the answer may come before Apply returns.
        m_awaited = step.awaited;
        lock.unlock();
        Apply(step);
        Changed();
        lock.lock();
    }
    m_applying = false;
    lock.unlock();
    m_changed.notify_all();
}

void CCalibrationDriver::EngineLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_changed.wait(lock, [this] { return m_stopping || !m_awaited; });
        if (m_stopping || m_next >= m_script.size())
            break;
        m_applying = true;
        SStep const step = m_script[m_next++];
        m_awaited = step.awaited;
        lock.unlock();
        Apply(step);
        Changed();
        lock.lock();
        if (!step.awaited && step.pause.count() > 0)
            m_changed.wait_for(lock, step.pause, [this] { return m_stopping; });
        m_applying = false;
        m_changed.notify_all();
    }
    m_applying = false;
    m_changed.notify_all();
}

void CCalibrationDriver::Apply(SStep const& step)
{
    if (!m_guard.IsOpen())
        return;
    if (step.target == ETarget::Camera && m_camera)
    {
        m_camera->GetVisibility().Set(step.visible);
        m_camera->GetCalibrationState().Set(step.state);
        m_camera->GetCalibrationWaitRequest().Set(step.request);
    }
    else if (step.target == ETarget::ColorDialog && m_dialog)
    {
        m_dialog->GetVisible().Set(step.visible);
        m_dialog->GetCalibrationWaitRequest().Set(step.request);
    }
}

void CCalibrationDriver::StopEngine()
{
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_engine.joinable())
        m_engine.join();
    // An answer may still be applying steps of the old script on the caller's thread.
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_applying; });
}

void CCalibrationDriver::Changed()
{
    std::size_t revision = 0;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        revision = ++m_changes;
    }
    // Revisions are unique, so every Set notifies, even when two threads publish out of order.
    m_revision.Set(revision);
}

bool CCalibrationDriver::IsSettledLocked() const
{
    return !m_applying && (m_awaited.has_value() || m_next >= m_script.size() || m_stopping);
}
} // namespace ReferenceHost
