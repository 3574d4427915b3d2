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
#include "reference_host/makestandaloneproperty.h"
#include "support/commandenvironment.h"
#include "support/expectorxexception.h"
#include "support/logcapture.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

using namespace BusinessLayer;
using Base::EAreaItems;
using Orx2Test::SExpectedOrxException;

namespace
{
std::string const kCommon = "businesslayer/common/";
constexpr wchar_t const* kAreasMustBeSet = L"The areas must be set";

class ThrowsAndLogs : public Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>
{
public: // the rows reach the fixture through a reference

    /// `make(areas)` builds a model over the fixture's areas; the areas then go and `use(model)` must
    /// throw "The areas must be set".
    template <class Model, class Use>
    std::function<void()> AfterAreasGone(Use use)
    {
        return [this, use]
        {
            auto model = std::make_shared<Model>(areas);
            areas.reset();
            use(*model);
        };
    }
};

struct SThrowRow
{
    char const* name;
    std::function<void(ThrowsAndLogs&)> call;
    SExpectedOrxException expected; // line 0: not fixed, not checked
};
} // namespace

TEST_F(ThrowsAndLogs, EveryThrowReportsItsFileLineFunctionAndMessage)
{
    using Buccal = CBuccalRegistrationResultDataExchangeModelBase;
    std::string const buccal = kCommon + "cbuccalregistrationresultdataexchangemodelbase";
    std::string const buccalFunction = "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::";
    std::string const result = kCommon + "creconstructionresultdataexchangemodel";
    std::vector<SThrowRow> const rows = {
        {"empty optional", [](auto&) { Base::TOptional<bool>().value(); },
         {L"Accessing invalid TOptional value of type bool", "base/orx2basepool/toptional", 0,
          "Base::TOptional<bool>::value"}},
        {"bytes left after serialized arguments",
         [](auto&)
         {
             Base::TSerializableCommand<void, bool>([](bool) {}, L"Flag", false)
                 .Execute(std::vector<unsigned char>{1, 0});
         },
         {L"Command 'Flag': 1 byte(s) left after its serialized arguments", "base/orx2basepool/tserializablecommand",
          0, "Base::TSerializableCommand<void,bool>::Execute"}},
        {"second GetResult",
         [](auto&)
         {
             Base::CAsyncPromise<> promise;
             static_cast<void>(promise.GetResult());
             static_cast<void>(promise.GetResult());
         },
         {L"Can get result only once", "base/orx2basepool/casyncpromise", 0, "Base::CAsyncPromise<>::GetResult"}},
        {"second Set",
         [](auto&)
         {
             Base::CAsyncPromise<> promise;
             promise.Set();
             promise.Set();
         },
         {L"Value must only be set once", "base/orx2basepool/casyncpromise", 0,
          "Base::CAsyncPromise<>::AsyncResultImpl::Set"}},
        {"result model without properties",
         [](auto& t) { CReconstructionResultDataExchangeModel(nullptr, t.areas); },
         {L"AcquisitionProperties have been deleted before DataExchangeModel", result, 0,
          "BusinessLayer::CReconstructionResultDataExchangeModel::CReconstructionResultDataExchangeModel"}},
        {"result model without areas",
         [](auto& t) { CReconstructionResultDataExchangeModel(t.properties, nullptr); },
         {L"Common Areas have been deleted before DataExchangeModel", result, 0,
          "BusinessLayer::CReconstructionResultDataExchangeModel::CReconstructionResultDataExchangeModel"}},
        {"result state of an area after the areas went",
         [](auto& t)
         {
             CReconstructionResultDataExchangeModel model(t.properties, t.areas);
             t.areas.reset();
             model.GetReconstructionState(EAreaItems::LowerJaw);
         },
         {L"Common Areas have been deleted before DataExchangeModel", result, 304,
          "BusinessLayer::CReconstructionResultDataExchangeModel::GetReconstructionState"}},
        {"buccal result to upper", [](auto& t) { t.template AfterAreasGone<Buccal>([](Buccal& m) { m.GetBuccalRegistrationResultToUpper(); })(); },
         {kAreasMustBeSet, buccal, 43, buccalFunction + "GetBuccalRegistrationResultToUpper"}},
        {"buccal result to lower", [](auto& t) { t.template AfterAreasGone<Buccal>([](Buccal& m) { m.GetBuccalRegistrationResultToLower(); })(); },
         {kAreasMustBeSet, buccal, 53, buccalFunction + "GetBuccalRegistrationResultToLower"}},
        {"buccal set to lower", [](auto& t) { t.template AfterAreasGone<Buccal>([](Buccal& m) { m.SetBuccalRegistrationResultToLower({}); })(); },
         {kAreasMustBeSet, buccal, 63, buccalFunction + "SetBuccalRegistrationResultToLower"}},
        {"buccal set to upper", [](auto& t) { t.template AfterAreasGone<Buccal>([](Buccal& m) { m.SetBuccalRegistrationResultToUpper({}); })(); },
         {kAreasMustBeSet, buccal, 73, buccalFunction + "SetBuccalRegistrationResultToUpper"}},
        {"buccal strategy status", [](auto& t) { t.template AfterAreasGone<Buccal>([](Buccal& m) { m.GetBuccalRegistrationStrategyStatus(); })(); },
         {kAreasMustBeSet, buccal, 82, buccalFunction + "GetBuccalRegistrationStrategyStatus"}},
        {"occlusal direction read",
         [](auto& t) { t.template AfterAreasGone<CAreaOcclusalDirectionDataExchangeModel>([](auto& m) { m.GetOcclusalDirection(EAreaItems::LowerJaw); })(); },
         {kAreasMustBeSet, kCommon + "careaocclusaldirectiondataexchangemodel", 43,
          "BusinessLayer::CAreaOcclusalDirectionDataExchangeModel::GetOcclusalDirection"}},
        {"occlusal direction write",
         [](auto& t) { t.template AfterAreasGone<CAreaOcclusalDirectionDataExchangeModel>([](auto& m) { m.SetOcclusalDirection(EAreaItems::LowerJaw, {}); })(); },
         {kAreasMustBeSet, kCommon + "careaocclusaldirectiondataexchangemodel", 64,
          "BusinessLayer::CAreaOcclusalDirectionDataExchangeModel::SetOcclusalDirection"}},
        {"instantiate an area",
         [](auto& t) { t.template AfterAreasGone<CInstantiatedAreaDataExchangeModel>([](auto& m) { m.InstantiateArea(EAreaItems::LowerJaw); })(); },
         {kAreasMustBeSet, kCommon + "cinstantiatedareadataexchangemodel", 43,
          "BusinessLayer::CInstantiatedAreaDataExchangeModel::InstantiateArea"}},
        {"is-running source",
         [](auto& t) { t.template AfterAreasGone<CIsRunningExceptReconstructionDataExchangeModel>([](auto& m) { m.GetIsRunningExceptReconstructionBindingSource(); })(); },
         {kAreasMustBeSet, kCommon + "cisrunningexceptreconstructiondataexchangemodel", 39,
          "BusinessLayer::CIsRunningExceptReconstructionDataExchangeModel::GetIsRunningExceptReconstructionBindingSource"}},
        {"area registration without areas", [](auto&) { CAreaRegistrationResultDataExchangeModelBase(nullptr); },
         {kAreasMustBeSet, kCommon + "carearegistrationresultdataexchangemodelbase", 0,
          "BusinessLayer::CAreaRegistrationResultDataExchangeModelBase::CAreaRegistrationResultDataExchangeModelBase"}},
        {"optimisation state without areas", [](auto&) { CAreaOptimizationStateDataExchangeModel(nullptr); },
         {kAreasMustBeSet, kCommon + "careaoptimizationstatedataexchangemodel", 0,
          "BusinessLayer::CAreaOptimizationStateDataExchangeModel::CAreaOptimizationStateDataExchangeModel"}},
        {"entities without areas", [](auto&) { CCommonAreaEntityCollectionDataExchangeModel(nullptr); },
         {kAreasMustBeSet, kCommon + "ccommonareaentitycollectiondataexchangemodel", 0,
          "BusinessLayer::CCommonAreaEntityCollectionDataExchangeModel::CCommonAreaEntityCollectionDataExchangeModel"}},
        {"progress without areas", [](auto&) { CCommonReconstructionProgressDataExchangeModelBase(nullptr); },
         {kAreasMustBeSet, kCommon + "ccommonreconstructionprogressdataexchangemodelbase", 0,
          "BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase::"
          "CCommonReconstructionProgressDataExchangeModelBase"}},
        {"model tab without areas",
         [](auto& t) { ReferenceHost::CIsModelTabAllowedDataExchangeModel(t.properties, nullptr); },
         {kAreasMustBeSet, kCommon + "cismodeltaballoweddataexchangemodelbase", 0,
          "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase"}},
        {"model tab without properties",
         [](auto& t) { ReferenceHost::CIsModelTabAllowedDataExchangeModel(nullptr, t.areas); },
         {L"The acquisition properties must be set", kCommon + "cismodeltaballoweddataexchangemodelbase", 0,
          "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase"}},
        {"dynamic areas: has-data of an area not instantiated",
         [](auto& t)
         {
             struct Probe : CDynamicRequiredAreasBase
             {
                 using CDynamicRequiredAreasBase::CDynamicRequiredAreasBase;
                 using CDynamicRequiredAreasBase::GetHasDataOrReco;
             } model(t.areas);
             model.GetHasDataOrReco(EAreaItems::UpperJaw);
         },
         {L"The area UpperJaw is not instantiated", kCommon + "cdynamicrequiredareasbase", 0,
          "BusinessLayer::CDynamicRequiredAreasBase::GetHasDataOrReco"}},
        {"configuration without its model-tab model",
         [](auto& t)
         {
             CCommonDataExchangeConfiguration configuration(t.properties, t.areas, nullptr);
             configuration.GetIsModelTabAllowedDataExchangeModel();
         },
         {L"The IsModelTabAllowedDEM must be set in the Builder", kCommon + "ccommondataexchangeconfiguration", 103,
          "BusinessLayer::CCommonDataExchangeConfiguration::GetIsModelTabAllowedDataExchangeModel"}},
        {"L0 entities", [](auto&) { CCommonCommands().GetNumberOfL0EntitiesInCase(); },
         {L"Not Implemented", kCommon + "ccommoncommands", 0, "BusinessLayer::CCommonCommands::GetNumberOfL0EntitiesInCase"}},
        {"L1 entities", [](auto&) { CCommonCommands().GetNumberOfL1EntitiesInCase(); },
         {L"Not Implemented", kCommon + "ccommoncommands", 0, "BusinessLayer::CCommonCommands::GetNumberOfL1EntitiesInCase"}},
        {"background load", [](auto&) { CCommonCommands().WaitForBackgroundLoadFinished(); },
         {L"Not Implemented", kCommon + "ccommoncommands", 0, "BusinessLayer::CCommonCommands::WaitForBackgroundLoadFinished"}},
        {"reconstruction ready", [](auto&) { CCommonCommands().IsReconstructionReady(0); },
         {L"Not Implemented", kCommon + "ccommoncommands", 0, "BusinessLayer::CCommonCommands::IsReconstructionReady"}},
    };
    for (SThrowRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        Orx2Test::ExpectOrxException([&] { row.call(*this); }, row.expected);
        areas = std::make_shared<ReferenceHost::CCommonAreas>();
    }
}

TEST_F(ThrowsAndLogs, EveryLogLineReportsItsFileLineAndFunction)
{
    Orx2Test::LogCapture log;
    CCaseRequiredAreasDataExchangeModelBase caseModel(nullptr);
    caseModel.UpdateDefaultActiveArea(std::vector<CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel>(
        14, CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel::Obligatory));
    CCommonReconstructionProgressDataExchangeModelBase progress(areas);
    CAreaViewModelBase panel;
    Base::Binding::TArrayProperty<CAreaViewModelBase::EAreaRequirementLevel> levels;
    levels.Set({CAreaViewModelBase::EAreaRequirementLevel::Obligatory});
    panel.SetRequiredAreasArray(levels);
    CToolActionViewModelBase toolAction(L"Log", CToolActionViewModelBase::ItemTypeToolActionsEnum::ToolAction3,
                                        true, true, false);
    toolAction.GetCommand().Get()->Execute();

    struct SLogRow
    {
        std::wstring channel;
        std::string file;
        int line; // 0: not fixed, not checked
        std::string function;
        std::wstring message;
    };
    std::vector<SLogRow> const rows = {
        {L"ORX2.CCaseRequiredAreasDataExchangeModelBase", kCommon + "ccaserequiredareasdataexchangemodelbase", 105,
         "BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::UpdateDefaultActiveArea",
         L"Default Activated Area 7 "},
        {L"ORX2.CCommonReconstructionProgressDataExchangeModelBase",
         kCommon + "ccommonreconstructionprogressdataexchangemodelbase", 75,
         "BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase::"
         "CCommonReconstructionProgressDataExchangeModelBase",
         L"CCommonReconstructionProgressViewModel()"},
        {L"ORX2.CAreaViewModelBase", kCommon + "careaviewmodelbase", 62,
         "BusinessLayer::CAreaViewModelBase::SetRequiredAreasArray", L"Obligatory Areas: 0: Yes "},
        {L"ORX2.CToolActionViewModelBase", kCommon + "ctoolactionviewmodelbase", 0,
         "BusinessLayer::CToolActionViewModelBase::LogCommand", L"Command  3"},
    };
    for (SLogRow const& row : rows)
    {
        SCOPED_TRACE(std::string(row.channel.begin(), row.channel.end()));
        auto const records = log.Channel(row.channel);
        ASSERT_EQ(1U, records.size());
        EXPECT_EQ(row.file, records[0].file);
        if (row.line != 0)
        {
            EXPECT_EQ(row.line, records[0].line);
        }
        EXPECT_EQ(row.function, records[0].function);
        EXPECT_EQ(row.message, records[0].message);
    }
}

TEST_F(ThrowsAndLogs, CalibrationButtonsLogTheirPress)
{
    CCameraCalibrationStepMenuViewModel menu;
    Orx2Test::LogCapture log;
    using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
    std::vector<std::tuple<Type, int, char const*, std::wstring>> const rows = {
        {Type::eOk, 320, "OnOk", L"OK pressed"},           {Type::eRetry, 326, "OnRetry", L"Retry pressed"},
        {Type::eCancel, 332, "OnCancel", L"Cancel pressed"}, {Type::eContinue, 338, "OnContinue", L"Continue pressed"},
        {Type::eAbort, 344, "OnAbort", L"Abort pressed"},    {Type::eConfirm, 350, "OnConfirm", L"Confirm pressed"}};
    for (auto const& [type, line, function, message] : rows)
    {
        SCOPED_TRACE(function);
        menu.GetStepMenuItem(type)->GetCommand().Get()->Execute();
        auto const records = log.Channel(L"ORX2.CCameraCalibrationStepMenuViewModel");
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(kCommon + "ccameracalibrationstepmenuviewmodel", records.back().file);
        EXPECT_EQ(line, records.back().line);
        EXPECT_EQ(std::string("BusinessLayer::CCameraCalibrationStepMenuViewModel::") + function, records.back().function);
        EXPECT_EQ(message, records.back().message);
    }
}
