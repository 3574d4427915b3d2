// The contract every notifying member of every view model and data exchange model keeps, found by
// walking the descriptions the GUI binds to, so that no suite restates it per class: a new value reads
// back and fires the owner's PropertyChanged once (after it is readable) and changes no other described
// member; setting it again is silent; two threads setting values lose none of them and announce each
// real change exactly once. Each row also pins the values a fresh model starts with.
#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"
#include "businesslayer/common/careaitemviewmodelbase.h"
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "businesslayer/common/ccameracalibrationviewmodelbase.h"
#include "businesslayer/common/ccapturekeysviewmodelbase.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccolorcalibdialogviewmodelbase.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "businesslayer/common/cliveoptionsitemviewmodelbase.h"
#include "businesslayer/common/clivesuboptionsitemviewmodelbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "businesslayer/common/cqrcodeviewmodelbase.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "businesslayer/common/csidepanelitemviewmodelacquisitionmode.h"
#include "businesslayer/common/csidepanelitemviewmodeltool.h"
#include "businesslayer/common/csidepanelviewmodel.h"
#include "businesslayer/common/csliderviewmodelbase.h"
#include "businesslayer/common/cstepmenuitemviewmodelbase.h"
#include "businesslayer/common/cthumbnailitemviewmodelbase.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "businesslayer/common/ctrashviewmodelbase.h"
#include "businesslayer/common/cvideomode2ddataexchangemodel.h"
#include "reference_host/careaviewmodel.h"
#include "reference_host/cimagedata2dsimple.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/clivevideoviewmodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tdescription.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"
#include "support/referencehost.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
using namespace BusinessLayer;
using Base::EMemberKind;

// ---- values: the k-th value other than `initial` (k >= 1), distinct for distinct k but for bool ---------

bool Another(bool initial, int) { return !initial; }
template <class T, std::enable_if_t<std::is_arithmetic_v<T> || std::is_enum_v<T>, int> = 0>
T Another(T initial, int k)
{
    if constexpr (std::is_enum_v<T>)
        return static_cast<T>(static_cast<std::underlying_type_t<T>>(initial) + k);
    else
        return static_cast<T>(initial + static_cast<T>(k));
}
CStringW Another(CStringW const& initial, int k) { return initial + CStringW(L"#" + std::to_wstring(k)); }
Base::CDeviceStateChanged Another(Base::CDeviceStateChanged const& initial, int k)
{
    return {initial.GetState(), Another(initial.GetDeviceName(), k)};
}
Base::CBuccalRegistrationResult Another(Base::CBuccalRegistrationResult const& initial, int k)
{
    JbMatrix4Rd moved = initial.GetTransformation();
    moved(0, 3) += k;
    return Base::CBuccalRegistrationResult(moved);
}
Base::CCalibrationWaitRequest Another(Base::CCalibrationWaitRequest const& initial, int k)
{
    Base::CCalibrationWaitRequest next;
    next.Set(Base::ICalibrationWaitRequest::ECalibrationState::InProgress, Another(initial.GetInstructionText(), k),
             initial.GetQuestionType(), initial.GetDeviceType(), initial.GetInitialValue(), initial.IsWarning());
    return next;
}
// Pointers: every one made is new, so every one is another value.
std::shared_ptr<Base::IImageData2DSimple const> Another(std::shared_ptr<Base::IImageData2DSimple const> const&, int k)
{
    return std::make_shared<ReferenceHost::CImageData2DSimple>(k, k, L"contract");
}
template <class... Args>
std::shared_ptr<Base::ICommand<Args...>> Another(std::shared_ptr<Base::ICommand<Args...>> const&, int)
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, L"Contract", false);
}

/// Whether the contract can vary `T`; a member of another type is skipped, and its row's count shows it.
template <class T, class = void> constexpr bool kVariable = false;
template <class T> constexpr bool kVariable<T, std::void_t<decltype(Another(std::declval<T const&>(), 1))>> = true;

template <class T> bool Same(T const& a, T const& b) { return !(a != b); }

/// What a row shows of a value that differs from the type's default (a bool shows as 0 or 1).
template <class T> std::string Shown(T const& value)
{
    std::ostringstream text;
    if constexpr (std::is_same_v<T, CStringW>)
        text << std::string(value.GetString(), value.GetString() + value.GetLength());
    else if constexpr (std::is_enum_v<T>)
        text << static_cast<long long>(value);
    else if constexpr (std::is_arithmetic_v<T>)
        text << value;
    else
        text << "set";
    return text.str();
}

// ---- the members the contract covers: properties, and commands held in a property --------------------

template <class Member> constexpr bool Notifies()
{
    if constexpr (Member::kKind == EMemberKind::Command)
        return Member::kNotifies;
    else
        return Member::kKind == EMemberKind::Property;
}

/// The property behind `member`, writable when the model owns it as a TProperty (every model does;
/// null otherwise).
template <class Member, class I> auto Writable(Member const& member, I& owner)
{
    using T = typename Member::Type;
    Base::IProperty<T> const& property = std::invoke(member.getter, owner);
    return const_cast<Base::TProperty<T>*>(dynamic_cast<Base::TProperty<T> const*>(&property));
}

struct SReport
{
    int checked = 0;
    std::string skipped;
    std::string initial; // "Name=value" of each member that does not start at its type's default
};

/// Every other member's value now, to tell that a Set reached only the member it was meant for.
template <class I> std::vector<std::pair<std::string, std::function<bool()>>> Unchanged(I& owner)
{
    std::vector<std::pair<std::string, std::function<bool()>>> checks;
    Base::ForEachMember<I>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            if constexpr (Notifies<Member>())
                checks.emplace_back(member.name, [&owner, member, value = member.Read(owner)]
                                    { return Same(member.Read(owner), value); });
        });
    return checks;
}

constexpr int kPerThread = 20;

/// Two threads set values at once. When both set values of their own, no value is lost and each is
/// announced once, in each thread's order; with only two values, each announcement is a real change.
template <class T>
void CheckConcurrent(Base::TProperty<T>& property, Base::INotifyPropertyChanged const& owner, int perChange)
{
    T const initial = property.Get();
    constexpr bool kDistinct = !std::is_same_v<T, bool>;
    std::vector<T> values[2];
    for (int i = 0; i < kPerThread; ++i)
        for (int thread = 0; thread < 2; ++thread)
            values[thread].push_back(kDistinct ? Another(initial, 1 + thread + 2 * i)
                                               : i % 2 == 0 ? Another(initial, 1) : initial);
    Orx2Test::CallSpy<T> seen;
    Orx2Test::CountSpy changes;
    auto const valueConnection =
        property.ConnectToValueChanged(Base::MakeEventSignalHandler<T const&>(seen.Callback()));
    Base::CScopedEventSignalConnection const ownerConnection(
        owner.GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(changes.Callback())));
    {
        Orx2Test::Gate start;
        std::vector<Orx2Test::ScopedThread> threads;
        for (auto const& own : values)
            threads.emplace_back(
                [&]
                {
                    start.Wait();
                    for (T const& value : own)
                        property.Set(value);
                });
        start.Open();
    }
    auto const calls = seen.Calls();
    EXPECT_EQ(static_cast<int>(calls.size()) * perChange, changes.Count()) << "PropertyChanged per value change";
    ASSERT_FALSE(calls.empty());
    EXPECT_TRUE(Same(std::get<0>(calls.back()), property.Get())) << "the last announced value is not the one kept";
    std::size_t next[2] = {0, 0};
    T previous = initial;
    for (auto const& [value] : calls)
    {
        EXPECT_FALSE(Same(previous, value)) << "an equal value announced";
        previous = value;
        if constexpr (kDistinct)
        {
            int const thread = next[0] < values[0].size() && Same(value, values[0][next[0]]) ? 0 : 1;
            ASSERT_TRUE(next[thread] < values[thread].size() && Same(value, values[thread][next[thread]]))
                << "a value announced out of its thread's order, twice, or never set";
            ++next[thread];
        }
    }
    EXPECT_TRUE(!kDistinct || (next[0] == kPerThread && next[1] == kPerThread)) << "values lost";
    property.Set(initial);
}

/// `perChange`: the owner's PropertyChanged per change, 0 for a model whose properties notify only
/// their own observers.
template <class I> SReport CheckContract(I& owner, int perChange)
{
    SReport report;
    Base::INotifyPropertyChanged const& notifier = owner;
    Base::ForEachMember<I>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            if constexpr (Notifies<Member>())
            {
                using T = typename Member::Type;
                SCOPED_TRACE(member.name);
                Base::TProperty<T>* const property = Writable(member, owner);
                if (property == nullptr || !kVariable<T>)
                {
                    report.skipped += std::string(member.name) + " ";
                    return;
                }
                if constexpr (kVariable<T>)
                {
                    ++report.checked;
                    T const initial = property->Get();
                    if (!Same(initial, T{}))
                        report.initial += std::string(report.initial.empty() ? "" : " ") + member.name + "=" +
                                          Shown(initial);
                    T const other = Another(initial, 1);
                    auto const others = Unchanged(owner);
                    int changes = 0, staleReads = 0;
                    Orx2Test::CallSpy<T> valueChanges;
                    auto const valueConnection =
                        property->ConnectToValueChanged(Base::MakeEventSignalHandler<T const&>(valueChanges.Callback()));
                    Base::CScopedEventSignalConnection const connection(
                        notifier.GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(
                            [&]
                            {
                                ++changes;
                                staleReads += Same(member.Read(owner), other) ? 0 : 1;
                            })));
                    property->Set(initial);
                    EXPECT_EQ(0, changes) << "an equal value notified";
                    EXPECT_EQ(0u, valueChanges.Count()) << "an equal value fired value-changed";
                    property->Set(other);
                    EXPECT_EQ(perChange, changes) << "PropertyChanged after a new value";
                    EXPECT_EQ(1u, valueChanges.Count()) << "value-changed after a new value";
                    EXPECT_EQ(0, staleReads) << "PropertyChanged before the new value was readable";
                    EXPECT_TRUE(Same(other, member.Read(owner))) << "the new value does not read back";
                    for (auto const& [name, unchanged] : others)
                        EXPECT_TRUE(name == member.name || unchanged()) << "the Set also changed " << name;
                    property->Set(other);
                    EXPECT_EQ(perChange, changes) << "the same value again notified";
                    EXPECT_EQ(1u, valueChanges.Count()) << "the same value again fired value-changed";
                    property->Set(initial);
                    CheckConcurrent(*property, notifier, perChange);
                }
            }
        });
    return report;
}

// ---- every model the library makes, as a fresh one --------------------------------------------------

using Contract = Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>;

/// A row: `make(host)` makes a fresh model of interface `I`, of which the contract covers `checked`
/// members (a member it silently skipped would show here) and `initial` names the members that do not
/// start at their type's default.
template <class I, class Make>
std::function<void(Contract&)> Row(char const* name, int checked, char const* initial, Make make, int perChange = 1)
{
    return [=](Contract& host)
    {
        SCOPED_TRACE(name);
        SReport const report = CheckContract<I>(*make(host), perChange);
        EXPECT_EQ(checked, report.checked) << "skipped: " << report.skipped;
        EXPECT_EQ(initial, report.initial);
    };
}

template <class C, class... Args> auto Make(Args... args)
{
    return [args...](Contract&) { return std::make_shared<C>(args...); };
}
template <class C> auto OnHost()
{
    return [](Contract& host) { return std::make_shared<C>(host.properties, host.areas); };
}
template <class C> auto OnAreas()
{
    return [](Contract& host) { return std::make_shared<C>(host.areas); };
}
template <class C> auto OnSelection()
{
    return [](Contract&) { return std::make_shared<C>(ReferenceHost::MakeStandaloneProperty(Base::EAreaItems::Undefined)); };
}

TEST_F(Contract, EveryNotifyingMemberOfEveryModel)
{
    using namespace Base;
    // clang-format off
    std::vector<std::function<void(Contract&)>> const rows{
        Row<IAcquisitionButtonViewModel>("acquisition button", 3, "IsEnabled=1", Make<CAcquisitionButtonViewModelBase>()),
        Row<IAreaItemViewModel>("area item", 11, "CorrelationStatus=-1", Make<CAreaItemViewModelBase>()),
        Row<IAreaViewModel>("area panel", 5, "EnableDragDrop=1 SelectedArea=-1", OnSelection<ReferenceHost::CAreaViewModel>()),
        // The host owns these properties: they notify their own observers only.
        Row<IBuccalRegistrationResultDataExchangeModel>("buccal registration", 2, "", OnAreas<CBuccalRegistrationResultDataExchangeModelBase>(), 0),
        Row<ICameraCalibrationViewModel>("camera calibration", 5, "AcquireDevice=-1", Make<CCameraCalibrationViewModelBase>()),
        Row<ICaptureKeysViewModel>("capture keys", 2, "", Make<CCaptureKeysViewModelBase>()),
        Row<ICaseRequiredAreasDataExchangeModel>("case required areas", 1, "", OnSelection<CCaseRequiredAreasDataExchangeModelBase>()),
        Row<IColorCalibDialogViewModel>("colour calibration", 5, "", Make<CColorCalibDialogViewModelBase>()),
        Row<IReconstructionProgressBarDataExchangeModel>("reconstruction progress", 2, "ReconstructionProgressState=47", OnAreas<CCommonReconstructionProgressDataExchangeModelBase>()),
        Row<ISeatPositionDataExchangeModel>("seat position", 1, "SeatPosition=-1", Make<CCommonSeatPositionDataExchangeModel>()),
        Row<IIsModelTabAllowedDataExchangeModel>("model tab allowed", 2, "", OnHost<ReferenceHost::CIsModelTabAllowedDataExchangeModel>()),
        Row<ILiveImageViewModel>("live image", 5, "Visibility=1", [](Contract& h) { return std::make_shared<CLiveImageViewModelBase>(h.properties, h.properties); }),
        Row<ILiveOptionsItemViewModel>("live option", 6, "Visibility=1 Selected=1 InfoText=x ItemType=3",
                                       Make<CLiveOptionsItemViewModelBase>(ILiveOptionsItemViewModel::EItemTypeLiveOptions{3}, true, false, true, CStringW(L"x"))),
        Row<ILiveSubOptionsItemViewModel>("live sub-option", 5, "Visibility=1 Selected=1 ItemType=4",
                                          Make<CLiveSubOptionsItemViewModelBase>(ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions{4}, true, false, true, true)),
        Row<ISliderViewModel>("slider", 5, "StepSmall=5 StepLarge=15", Make<CSliderViewModelBase>()),
        Row<ILiveVideoViewModel>("live video", 19, "IsRecordPanoramaVisible=1 IsSupportedAutoStartStop=1 StartCaptureMode=set StartIdleMode=set "
                                     "TakeSnapshot=set AutoStartSnapshot=set StartRecordVideo=set AutoStartRecordVideo=set "
                                     "StopRecordVideo=set StartRecordPanorama=set StopRecordPanorama=set", Make<ReferenceHost::CLiveVideoViewModel>()),
        Row<ILockGUIViewModel>("GUI lock", 2, "", Make<CLockGUIViewModelBase>()),
        Row<IQRCodeViewModel>("QR code", 2, "", Make<CQRCodeViewModelBase>()),
        Row<IReconstructionResultDataExchangeModel>("reconstruction result", 2, "", OnHost<CReconstructionResultDataExchangeModel>()),
        Row<ISidePanelItemViewModel>("side-panel item", 5, "Visibility=1 Selected=1",
                                     Make<CSidePanelItemViewModelAcquisitionMode>(ISidePanelItemViewModel::EItemTypeAcquisitionModes{1}, true, false, true)),
        Row<ISidePanelToolItemViewModel>("side-panel tool", 6, "Visibility=1 Selected=1 ItemType=2",
                                         Make<CSidePanelItemViewModelTool>(std::wstring(L"Tool"), ISidePanelToolItemViewModel::EItemTypeTools{2}, true, false, true)),
        Row<ISidePanelViewModel>("side panel", 6, "", Make<CSidePanelViewModel>()),
        Row<IStepMenuItemViewModel>("step-menu entry", 17, "Visibility=1 Selected=1 Collapsed=1 OkEnabled=1 OkVisible=1 GroupID=group ItemType=7",
                                    Make<CStepMenuItemViewModelBase>(IStepMenuItemViewModel::EItemTypeStepMenu{7}, true, false, true, false, true,
                                                                     false, true, false, CStringW(L"group"), true)),
        Row<IStepMenuViewModel>("step menu", 2, "", Make<CCameraCalibrationStepMenuViewModel>()),
        Row<IThumbnailItemViewModel>("thumbnail", 7, "Number=-1 CorrelationStatus=-1", Make<CThumbnailItemViewModelBase>(EAreaItems::LowerJaw, std::wstring(L"p"))),
        Row<IToolActionViewModel>("tool action", 5, "Visibility=1 Command=set ItemType=2",
                                  Make<CToolActionViewModelBase>(std::wstring(L"Cut"), IToolActionViewModel::ItemTypeToolActionsEnum{2}, true, false, false)),
        Row<ITrashViewModel>("trash", 2, "Visibility=1 IsEnabled=1", Make<CTrashViewModelBase>()),
        Row<IVideoMode2DDataExchangeModel>("video mode 2D", 1, "IsVideoMode2DAllowed=1", Make<CVideoMode2DDataExchangeModel>()),
    };
    // clang-format on
    for (auto const& row : rows)
        row(*this);
}
} // namespace
