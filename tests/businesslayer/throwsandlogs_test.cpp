// Where the library's failures and log lines are reported: source file, line, function and text are
// part of the contract with the host's diagnostics, so one table pins every one of them.
#include "base/orx2basepool/casyncpromise.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/toptional.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "businesslayer/common/careaocclusaldirectiondataexchangemodel.h"
#include "businesslayer/common/careaviewmodelbase.h"
#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"
#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommonareaentitycollectiondataexchangemodel.h"
#include "businesslayer/common/ccommoncommands.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/cinstantiatedareadataexchangemodel.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "support/commandenvironment.h"
#include "support/expectorxexception.h"
#include "support/logcapture.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>

using namespace BusinessLayer;
using Base::EAreaItems;

namespace
{
using ThrowsAndLogs = Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>;
using Call = std::function<void(ThrowsAndLogs&)>;

/// The class in `function` ("Base::TFoo<int>::Bar" gives "TFoo").
std::string ClassOf(std::string const& function)
{
    std::size_t const start = function.find("::") + 2;
    return function.substr(start, function.find_first_of("<:", start) - start);
}

/// The source file that reports `function`: each class of the library has a file of its own, named after
/// it in its namespace's folder.
std::string FileOf(std::string const& function)
{
    std::string file = ClassOf(function);
    for (char& c : file)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (function.rfind("Base::", 0) == 0 ? "base/orx2basepool/" : "businesslayer/common/") + file;
}

/// A `Model` made over the fixture's areas, used by `use` once the areas are gone.
template <class Model, class Use> Call AfterAreasGone(Use use)
{
    return [use](ThrowsAndLogs& t)
    {
        auto const model = std::make_shared<Model>(t.areas);
        t.areas.reset();
        use(*model);
    };
}

struct DynamicProbe : CDynamicRequiredAreasBase
{
    using CDynamicRequiredAreasBase::CDynamicRequiredAreasBase;
    using CDynamicRequiredAreasBase::GetHasDataOrReco;
};
} // namespace

TEST_F(ThrowsAndLogs, EveryThrowReportsItsFileLineFunctionAndMessage)
{
    using Buccal = CBuccalRegistrationResultDataExchangeModelBase;
    using Occlusal = CAreaOcclusalDirectionDataExchangeModel;
    using ModelTab = ReferenceHost::CIsModelTabAllowedDataExchangeModel;
    std::wstring const areasMustBeSet = L"The areas must be set", notImplemented = L"Not Implemented";
    std::wstring const areasGone = L"Common Areas have been deleted before DataExchangeModel";
    std::string const bl = "BusinessLayer::", result = bl + "CReconstructionResultDataExchangeModel::";
    std::string const buccal = bl + "CBuccalRegistrationResultDataExchangeModelBase::";
    std::string const commands = bl + "CCommonCommands::", modelTab = bl + "CIsModelTabAllowedDataExchangeModelBase::";
    struct SRow
    {
        Call call;
        std::wstring message;
        int line; // 0: not fixed, not checked
        std::string function;
    };
    // clang-format off
    std::vector<SRow> const rows = {
        {[](auto&) { Base::TOptional<bool>().value(); }, L"Accessing invalid TOptional value of type bool", 0, "Base::TOptional<bool>::value"},
        {[](auto&) { Base::TSerializableCommand<void, bool>([](bool) {}, L"Flag", false).Execute(std::vector<unsigned char>{1, 0}); },
         L"Command 'Flag': 1 byte(s) left after its serialized arguments", 0, "Base::TSerializableCommand<void,bool>::Execute"},
        {[](auto&) { Base::CAsyncPromise<> promise; static_cast<void>(promise.GetResult()); static_cast<void>(promise.GetResult()); },
         L"Can get result only once", 0, "Base::CAsyncPromise<>::GetResult"},
        {[](auto&) { Base::CAsyncPromise<> promise; promise.Set(); promise.Set(); }, L"Value must only be set once", 0,
         "Base::CAsyncPromise<>::AsyncResultImpl::Set"},
        {[](auto& t) { CReconstructionResultDataExchangeModel(nullptr, t.areas); },
         L"AcquisitionProperties have been deleted before DataExchangeModel", 0, result + "CReconstructionResultDataExchangeModel"},
        {[](auto& t) { CReconstructionResultDataExchangeModel(t.properties, nullptr); }, areasGone, 0, result + "CReconstructionResultDataExchangeModel"},
        {[](auto& t) { CReconstructionResultDataExchangeModel model(t.properties, t.areas); t.areas.reset(); model.GetReconstructionState(EAreaItems::LowerJaw); },
         areasGone, 304, result + "GetReconstructionState"},
        {AfterAreasGone<Buccal>([](auto& m) { m.GetBuccalRegistrationResultToUpper(); }), areasMustBeSet, 43, buccal + "GetBuccalRegistrationResultToUpper"},
        {AfterAreasGone<Buccal>([](auto& m) { m.GetBuccalRegistrationResultToLower(); }), areasMustBeSet, 53, buccal + "GetBuccalRegistrationResultToLower"},
        {AfterAreasGone<Buccal>([](auto& m) { m.SetBuccalRegistrationResultToLower({}); }), areasMustBeSet, 63, buccal + "SetBuccalRegistrationResultToLower"},
        {AfterAreasGone<Buccal>([](auto& m) { m.SetBuccalRegistrationResultToUpper({}); }), areasMustBeSet, 73, buccal + "SetBuccalRegistrationResultToUpper"},
        {AfterAreasGone<Buccal>([](auto& m) { m.GetBuccalRegistrationStrategyStatus(); }), areasMustBeSet, 82, buccal + "GetBuccalRegistrationStrategyStatus"},
        {AfterAreasGone<Occlusal>([](auto& m) { m.GetOcclusalDirection(EAreaItems::LowerJaw); }), areasMustBeSet, 43,
         bl + "CAreaOcclusalDirectionDataExchangeModel::GetOcclusalDirection"},
        {AfterAreasGone<Occlusal>([](auto& m) { m.SetOcclusalDirection(EAreaItems::LowerJaw, {}); }), areasMustBeSet, 64,
         bl + "CAreaOcclusalDirectionDataExchangeModel::SetOcclusalDirection"},
        {AfterAreasGone<CInstantiatedAreaDataExchangeModel>([](auto& m) { m.InstantiateArea(EAreaItems::LowerJaw); }), areasMustBeSet, 43,
         bl + "CInstantiatedAreaDataExchangeModel::InstantiateArea"},
        {AfterAreasGone<CIsRunningExceptReconstructionDataExchangeModel>([](auto& m) { m.GetIsRunningExceptReconstructionBindingSource(); }),
         areasMustBeSet, 39, bl + "CIsRunningExceptReconstructionDataExchangeModel::GetIsRunningExceptReconstructionBindingSource"},
        {[](auto&) { CAreaRegistrationResultDataExchangeModelBase(nullptr); }, areasMustBeSet, 0,
         bl + "CAreaRegistrationResultDataExchangeModelBase::CAreaRegistrationResultDataExchangeModelBase"},
        {[](auto&) { CAreaOptimizationStateDataExchangeModel(nullptr); }, areasMustBeSet, 0,
         bl + "CAreaOptimizationStateDataExchangeModel::CAreaOptimizationStateDataExchangeModel"},
        {[](auto&) { CCommonAreaEntityCollectionDataExchangeModel(nullptr); }, areasMustBeSet, 0,
         bl + "CCommonAreaEntityCollectionDataExchangeModel::CCommonAreaEntityCollectionDataExchangeModel"},
        {[](auto&) { CCommonReconstructionProgressDataExchangeModelBase(nullptr); }, areasMustBeSet, 0,
         bl + "CCommonReconstructionProgressDataExchangeModelBase::CCommonReconstructionProgressDataExchangeModelBase"},
        {[](auto& t) { ModelTab(t.properties, nullptr); }, areasMustBeSet, 0, modelTab + "CIsModelTabAllowedDataExchangeModelBase"},
        {[](auto& t) { ModelTab(nullptr, t.areas); }, L"The acquisition properties must be set", 0, modelTab + "CIsModelTabAllowedDataExchangeModelBase"},
        {[](auto& t) { DynamicProbe(t.areas).GetHasDataOrReco(EAreaItems::UpperJaw); }, L"The area UpperJaw is not instantiated", 0,
         bl + "CDynamicRequiredAreasBase::GetHasDataOrReco"},
        {[](auto&) { DynamicProbe(nullptr).GetHasDataOrReco(EAreaItems::LowerJaw); }, areasMustBeSet, 90, bl + "CDynamicRequiredAreasBase::GetHasDataOrReco"},
        {[](auto& t) { CCommonDataExchangeConfiguration(t.properties, t.areas, nullptr).GetIsModelTabAllowedDataExchangeModel(); },
         L"The IsModelTabAllowedDEM must be set in the Builder", 103, bl + "CCommonDataExchangeConfiguration::GetIsModelTabAllowedDataExchangeModel"},
        {[](auto&) { CCommonCommands().GetNumberOfL0EntitiesInCase(); }, notImplemented, 0, commands + "GetNumberOfL0EntitiesInCase"},
        {[](auto&) { CCommonCommands().GetNumberOfL1EntitiesInCase(); }, notImplemented, 0, commands + "GetNumberOfL1EntitiesInCase"},
        {[](auto&) { CCommonCommands().WaitForBackgroundLoadFinished(); }, notImplemented, 0, commands + "WaitForBackgroundLoadFinished"},
        {[](auto&) { CCommonCommands().IsReconstructionReady(0); }, notImplemented, 0, commands + "IsReconstructionReady"},
    };
    // clang-format on
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.function);
        Orx2Test::ExpectOrxException([&] { row.call(*this); }, {row.message, FileOf(row.function), row.line, row.function});
        areas = std::make_shared<ReferenceHost::CCommonAreas>();
    }
}

TEST_F(ThrowsAndLogs, EveryLogLineReportsItsFileLineFunctionAndText)
{
    CCameraCalibrationStepMenuViewModel menu;
    Orx2Test::LogCapture log;
    // Each derivation of the case's default logs, an unchanged one too; levels too short derive nothing.
    CCaseRequiredAreasDataExchangeModelBase caseModel(nullptr);
    for (unsigned const size : {14u, 14u, 13u})
        caseModel.UpdateDefaultActiveArea(std::vector<CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel>(
            size, CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel::Obligatory));
    CCommonReconstructionProgressDataExchangeModelBase progress(areas);
    CAreaViewModelBase panel;
    Base::Binding::TArrayProperty<CAreaViewModelBase::EAreaRequirementLevel> levels;
    levels.Set({CAreaViewModelBase::EAreaRequirementLevel::Obligatory});
    panel.SetRequiredAreasArray(levels);
    CToolActionViewModelBase(L"Log", CToolActionViewModelBase::ItemTypeToolActionsEnum::ToolAction3, true, true, false)
        .GetCommand().Get()->Execute();
    using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
    for (Type const button : {Type::eOk, Type::eRetry, Type::eCancel, Type::eContinue, Type::eAbort, Type::eConfirm})
        menu.GetStepMenuItem(button)->GetCommand().Get()->Execute();

    std::string const calibration = "BusinessLayer::CCameraCalibrationStepMenuViewModel::";
    struct SLogRow
    {
        int line; // 0: not fixed, not checked
        std::string function; // also names the channel "ORX2.<class>"
        std::wstring message;
    };
    // clang-format off
    std::vector<SLogRow> const rows = {
        {105, "BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea", L"Default Activated Area 7 "},
        {105, "BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea", L"Default Activated Area 7 "},
        {75, "BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase::CCommonReconstructionProgressDataExchangeModelBase",
         L"CCommonReconstructionProgressViewModel()"},
        {62, "BusinessLayer::CAreaViewModelBase::SetRequiredAreasArray", L"Obligatory Areas: 0: Yes "},
        {0, "BusinessLayer::CToolActionViewModelBase::LogCommand", L"Command  3"},
        {320, calibration + "OnOk", L"OK pressed"},           {326, calibration + "OnRetry", L"Retry pressed"},
        {332, calibration + "OnCancel", L"Cancel pressed"},   {338, calibration + "OnContinue", L"Continue pressed"},
        {344, calibration + "OnAbort", L"Abort pressed"},     {350, calibration + "OnConfirm", L"Confirm pressed"},
    };
    // clang-format on
    std::map<std::wstring, std::size_t> lines; // per channel, the lines the rows expect
    for (SLogRow const& row : rows)
    {
        SCOPED_TRACE(row.function);
        std::string const name = ClassOf(row.function);
        std::wstring const channel = L"ORX2." + std::wstring(name.begin(), name.end());
        auto const records = log.Channel(channel);
        std::size_t const index = lines[channel]++;
        ASSERT_LT(index, records.size());
        EXPECT_EQ(FileOf(row.function), records[index].file);
        if (row.line != 0)
        {
            EXPECT_EQ(row.line, records[index].line);
        }
        EXPECT_EQ(row.function, records[index].function);
        EXPECT_EQ(row.message, records[index].message);
    }
    for (auto const& [channel, count] : lines)
        EXPECT_EQ(count, log.Channel(channel).size()) << "lines the rows do not expect";
}
