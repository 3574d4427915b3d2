#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommandslot.h"
#include "host/foundation/jbformat.h"
#include "host/resources/tvcresmanager.h"

#include <cstdint>
#include <string>
#include <vector>

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ccameracalibrationstepmenuviewmodel");
// The lines of the six buttons' log calls (in OnOk ... OnConfirm below), part of the diagnostics
// contract; the throws-and-logs table pins them.
constexpr int kLineOkLog = 320;
constexpr int kLineRetryLog = 326;
constexpr int kLineCancelLog = 332;
constexpr int kLineContinueLog = 338;
constexpr int kLineAbortLog = 344;
constexpr int kLineConfirmLog = 350;

using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
using Question = Base::ICalibrationWaitRequest::EQuestionType;
using Item = CStepMenuItemViewModelBase;

constexpr wchar_t const* kNumberEntrySuffix = L"##CTRL##asc";

/// The question each answer button (entries 3 to 9) stands for.
constexpr std::array<Question, 7> kButtonQuestions = {Question::Ok,       Question::Retry, Question::Cancel,
                                                      Question::Continue, Question::Abort, Question::Info,
                                                      Question::Confirm};

std::shared_ptr<Item> MakeEntry(Type type, wchar_t const* groupId)
{
    return std::make_shared<Item>(type, false, true, false, false, false, false, false, false, groupId,
                                  false);
}

std::int32_t StateOf(Base::ICalibrationWaitRequest const& request)
{
    return static_cast<std::int32_t>(request.GetCalibState());
}

bool WantsNumber(std::int32_t state)
{
    return state == 7 || state == 13;
}

/// The rounded percentage of a progress fraction; 0 outside 0..1 and for NaN. Computed in float, the
/// progress's own type, whose rounding of k/200 × 100 lands on the exact half percent.
int PercentOf(float progress)
{
    if (!(progress >= 0.0f && progress <= 1.0f))
        return 0;
    float const scaled = progress * 100.0f;
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): the contract rounds half up in float, see above
    return static_cast<int>(scaled + 0.5f);
}

/// `instruction` with its first integer conversion (`%d`, `%i`, `%u`, with flags, width and precision)
/// replaced by `percent` and `%%` by `%`; every other conversion, and every later integer one, is copied
/// as written. No text of the host or of a translation ever reaches a varargs formatter: only the one
/// conversion checked here does, with its one int.
std::wstring FormatPercent(std::wstring const& instruction, int percent)
{
    std::wstring shown;
    bool placed = false;
    std::size_t i = 0;
    while (i < instruction.size())
    {
        wchar_t const c = instruction[i];
        if (c != L'%')
        {
            shown += c;
            ++i;
            continue;
        }
        if (i + 1 < instruction.size() && instruction[i + 1] == L'%')
        {
            shown += L'%';
            i += 2;
            continue;
        }
        std::size_t end = i + 1;
        while (end < instruction.size() &&
               std::wstring(L"-+ #0").find(instruction[end]) != std::wstring::npos)
            ++end;
        while (end < instruction.size() && instruction[end] >= L'0' && instruction[end] <= L'9')
            ++end;
        if (end < instruction.size() && instruction[end] == L'.')
        {
            ++end;
            while (end < instruction.size() && instruction[end] >= L'0' && instruction[end] <= L'9')
                ++end;
        }
        bool const integer =
            end < instruction.size() &&
            (instruction[end] == L'd' || instruction[end] == L'i' || instruction[end] == L'u');
        if (integer && !placed)
        {
            shown += JbFormatWide(instruction.substr(i, end + 1 - i).c_str(), percent);
            placed = true;
            i = end + 1;
        }
        else
        {
            shown += c; // the rest of a conversion that is not formatted follows as plain text
            ++i;
        }
    }
    return shown;
}

CStringW ResolveInstruction(Base::ICalibrationWaitRequest const& request)
{
    unsigned int const id = request.GetInstructionId();
    return id != 0 ? JbSingleton<TvCResManager>::GetInstance().GetString(id) : request.GetInstructionText();
}
} // namespace

Logging::CLogger const
    CCameraCalibrationStepMenuViewModel::s_logger(L"ORX2.CCameraCalibrationStepMenuViewModel");

CCameraCalibrationStepMenuViewModel::CCameraCalibrationStepMenuViewModel()
    : m_entries{MakeEntry(Type::eInfoText, L"eInfoText"),
                MakeEntry(Type::eConfigCameraCalibrationSetNumberInput,
                          L"eConfigCameraCalibrationSetNumberInput"),
                MakeEntry(Type::eOk, L"eOk"),
                MakeEntry(Type::eRetry, L"eRetry"),
                MakeEntry(Type::eCancel, L"eCancel"),
                MakeEntry(Type::eContinue, L"eContinue"),
                MakeEntry(Type::eAbort, L"eAbort"),
                MakeEntry(Type::eInfo, L"eInfo"),
                MakeEntry(Type::eConfirm, L"eConfirm")},
      m_infoOkCancel(Base::MakeOwnerBoundCommand<OkCancelCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnOkCancel,
          L"CCameraCalibrationStepMenuViewModel.OkCancel", true)),
      // Offered under the same name: the registry keeps the first, and both do the same.
      m_inputOkCancel(Base::MakeOwnerBoundCommand<OkCancelCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnOkCancel,
          L"CCameraCalibrationStepMenuViewModel.OkCancel", true)),
      m_inputTextInserted(Base::MakeOwnerBoundCommand<TextCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnTextInserted,
          L"CCameraCalibrationStepMenuViewModel.TextInserted", true)),
      m_ok(Base::MakeOwnerBoundCommand<ButtonCommand>(GetOwnerGuard(), *this,
                                                      &CCameraCalibrationStepMenuViewModel::OnOk,
                                                      L"CCameraCalibrationStepMenuViewModel.Ok", true)),
      m_retry(Base::MakeOwnerBoundCommand<ButtonCommand>(GetOwnerGuard(), *this,
                                                         &CCameraCalibrationStepMenuViewModel::OnRetry,
                                                         L"CCameraCalibrationStepMenuViewModel.Retry", true)),
      m_cancel(Base::MakeOwnerBoundCommand<ButtonCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnCancel,
          L"CCameraCalibrationStepMenuViewModel.Cancel", true)),
      m_continue(Base::MakeOwnerBoundCommand<ButtonCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnContinue,
          L"CCameraCalibrationStepMenuViewModel.Continue", true)),
      m_abort(Base::MakeOwnerBoundCommand<ButtonCommand>(GetOwnerGuard(), *this,
                                                         &CCameraCalibrationStepMenuViewModel::OnAbort,
                                                         L"CCameraCalibrationStepMenuViewModel.Abort", true)),
      m_confirm(Base::MakeOwnerBoundCommand<ButtonCommand>(
          GetOwnerGuard(), *this, &CCameraCalibrationStepMenuViewModel::OnConfirm,
          L"CCameraCalibrationStepMenuViewModel.Confirm", true))
{
    Item& info = *m_entries[0];
    info.OkEnabled().Set(true);
    info.CancelEnabled().Set(true);
    info.GetOkCancelPressed().Set(m_infoOkCancel);

    Item& input = *m_entries[1];
    input.OkEnabled().Set(true);
    input.CancelEnabled().Set(true);
    input.GetGroupID().Set(L"InputText");
    input.GetOkCancelPressed().Set(m_inputOkCancel);
    input.GetTextInserted().Set(m_inputTextInserted);

    m_entries[2]->GetCommand().Set(m_ok);
    m_entries[3]->GetCommand().Set(m_retry);
    m_entries[4]->GetCommand().Set(m_cancel);
    m_entries[5]->GetCommand().Set(m_continue);
    m_entries[6]->GetCommand().Set(m_abort);
    m_entries[8]->GetCommand().Set(m_confirm);

    setNewItems(std::vector<std::shared_ptr<Item>>(m_entries.begin(), m_entries.end()));
    GetOwnerGuard().Open();
}

CCameraCalibrationStepMenuViewModel::~CCameraCalibrationStepMenuViewModel()
{
    GetOwnerGuard().Close();
    DisconnectConnections();
}

void CCameraCalibrationStepMenuViewModel::SetAllProperties(Request& request)
{
    std::int32_t const state = StateOf(request);
    if (state == 0)
        initControlNone();
    else if (state == 1)
        initControlProgress(request);
    else if (state == 2)
        initControlFinished(true);
    else if (state == 3 || state == 4)
        initControlFinished(false);
    else if (state == 5 || (state >= 7 && state <= 23))
        initControlWaitAnswer(request);
    // 6 and everything else: the engine holds; the menu keeps what it shows.
}

void CCameraCalibrationStepMenuViewModel::SetButtonProperties(Request& request)
{
    Question const question = WantsNumber(StateOf(request)) ? Question::None : request.GetQuestionType();
    auto const is = [question](Question a, Question b) { return question == a || question == b; };
    Show(2, is(Question::Ok, Question::OkCancel));
    Show(3, question == Question::Retry);
    Show(4, is(Question::Cancel, Question::OkCancel));
    Show(5, question == Question::Continue);
    Show(6, question == Question::Abort);
    Show(7, question == Question::Info);
    Show(8, question == Question::Confirm);
}

void CCameraCalibrationStepMenuViewModel::initControlNone()
{
    for (std::size_t entry = 0; entry < kEntryCount; ++entry)
        Show(entry, false);
}

void CCameraCalibrationStepMenuViewModel::initControlProgress(Request& request)
{
    Item& info = *m_entries[0];
    Show(0, true);
    info.OkEnabled().Set(false);
    info.CancelEnabled().Set(false);
    Show(1, false);
    int const percent = PercentOf(request.GetProgress());
    info.GetInfoText().Set(FormatPercent(ResolveInstruction(request).GetStdString(), percent));
    updateConfirm(request.GetQuestionType());
}

void CCameraCalibrationStepMenuViewModel::initControlWaitAnswer(Request& request)
{
    Question const question = request.GetQuestionType();
    bool const numberWanted = WantsNumber(StateOf(request));
    bool const okCancelInline = question == Question::OkCancel && !numberWanted;

    Item& info = *m_entries[0];
    Show(0, true);
    info.OkEnabled().Set(okCancelInline);
    info.CancelEnabled().Set(okCancelInline);
    info.GetInfoText().Set(ResolveInstruction(request));

    Item& input = *m_entries[1];
    input.OkEnabled().Set(numberWanted);
    input.CancelEnabled().Set(numberWanted);
    Show(1, numberWanted);
    input.GetInfoText().Set(request.GetInitialValue() + kNumberEntrySuffix);

    // Only questions with a button of their own show one; OK/Cancel is answered inline, Retry not here.
    bool const ownButton = question == Question::Ok || question == Question::Cancel ||
                           question == Question::Continue || question == Question::Abort ||
                           question == Question::Info || question == Question::Confirm;
    for (std::size_t button = 0; button < kButtonQuestions.size(); ++button)
        Show(kFirstButton + button, ownButton && kButtonQuestions[button] == question);
}

void CCameraCalibrationStepMenuViewModel::initControlFinished(bool success)
{
    Show(0, true);
    Show(1, false);
    Show(2, success);
    for (std::size_t entry = 3; entry <= 7; ++entry)
        Show(entry, false);
    Show(8, !success);
}

bool CCameraCalibrationStepMenuViewModel::updateConfirm(Request::EQuestionType question) const
{
    for (std::size_t button = 0; button < kButtonQuestions.size(); ++button)
        Show(kFirstButton + button, kButtonQuestions[button] == question);
    return true;
}

void CCameraCalibrationStepMenuViewModel::Show(std::size_t entry, bool visible) const
{
    m_entries[entry]->SetVisibility(visible);
}

void CCameraCalibrationStepMenuViewModel::OnOkCancel(bool ok)
{
    Base::ExecuteIfSet(ok ? m_okPressed.Get() : m_cancelPressed.Get());
}

void CCameraCalibrationStepMenuViewModel::OnTextInserted(CStringW const& text)
{
    Base::ExecuteIfSet(m_textInserted.Get(), text);
}

void CCameraCalibrationStepMenuViewModel::Forward(AnswerSlot const& slot, int line, char const* function,
                                                  wchar_t const* pressed)
{
    try
    {
        Base::ExecuteIfSet(slot.Get());
    }
    catch (...)
    {
        kSource.Log(s_logger, line, function, L"%s", pressed);
        throw;
    }
    kSource.Log(s_logger, line, function, L"%s", pressed);
}

// The six buttons' actions; their lines are the kLine...Log constants above.
void CCameraCalibrationStepMenuViewModel::OnOk()
{
    Forward(m_okPressed, kLineOkLog, "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnOk",
            L"OK pressed");
}

void CCameraCalibrationStepMenuViewModel::OnRetry()
{
    Forward(m_retryPressed, kLineRetryLog, "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnRetry",
            L"Retry pressed");
}

void CCameraCalibrationStepMenuViewModel::OnCancel()
{
    Forward(m_cancelPressed, kLineCancelLog, "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnCancel",
            L"Cancel pressed");
}

void CCameraCalibrationStepMenuViewModel::OnContinue()
{
    Forward(m_continuePressed, kLineContinueLog,
            "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnContinue", L"Continue pressed");
}

void CCameraCalibrationStepMenuViewModel::OnAbort()
{
    Forward(m_abortPressed, kLineAbortLog, "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnAbort",
            L"Abort pressed");
}

void CCameraCalibrationStepMenuViewModel::OnConfirm()
{
    Forward(m_confirmPressed, kLineConfirmLog,
            "BusinessLayer::CCameraCalibrationStepMenuViewModel::OnConfirm", L"Confirm pressed");
}
} // namespace BusinessLayer
