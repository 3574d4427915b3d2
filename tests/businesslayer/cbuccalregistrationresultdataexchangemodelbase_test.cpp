#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "reference_host/ccommonareas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
using BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase;

Base::CBuccalRegistrationResult MakeResult(double shift)
{
    JbMatrix4Rd transformation = JbMatrix4Rd::Identity();
    transformation(2, 3) = shift;
    return Base::CBuccalRegistrationResult(transformation);
}

TEST(BuccalRegistrationResultModel, ForwardsResultsAndStatusToTheHost)
{
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    CBuccalRegistrationResultDataExchangeModelBase model(areas);

    model.SetBuccalRegistrationResultToUpper(MakeResult(1.0));
    model.SetBuccalRegistrationResultToLower(MakeResult(2.0));
    EXPECT_EQ(MakeResult(1.0), areas->GetBuccalRegistrationResultToUpper().Get());
    EXPECT_EQ(MakeResult(2.0), areas->GetBuccalRegistrationResultToLower().Get());
    // The model hands out the host's own properties and source, so the GUI sees the host's changes.
    EXPECT_EQ(&areas->GetBuccalRegistrationResultToUpper(), &model.GetBuccalRegistrationResultToUpper());
    EXPECT_EQ(&areas->GetBuccalRegistrationResultToLower(), &model.GetBuccalRegistrationResultToLower());

    areas->SetBuccalRegistrationStrategyStatus(Base::EBuccalRegistrationStrategyStatus::Running);
    EXPECT_EQ(Base::EBuccalRegistrationStrategyStatus::Running,
              model.GetBuccalRegistrationStrategyStatus().GetValue());
}

struct SExpectedThrow
{
    char const* operation;
    int line;
    std::function<void(CBuccalRegistrationResultDataExchangeModelBase&)> call;
};

TEST(BuccalRegistrationResultModel, EveryOperationThrowsItsOwnFailureOnceTheAreasAreGone)
{
    auto areas = std::make_shared<ReferenceHost::CCommonAreas>();
    CBuccalRegistrationResultDataExchangeModelBase model(areas);
    areas.reset();

    using Model = CBuccalRegistrationResultDataExchangeModelBase;
    SExpectedThrow const cases[] = {
        {"GetBuccalRegistrationResultToUpper", 43, [](Model& m) { m.GetBuccalRegistrationResultToUpper(); }},
        {"GetBuccalRegistrationResultToLower", 53, [](Model& m) { m.GetBuccalRegistrationResultToLower(); }},
        {"SetBuccalRegistrationResultToLower", 63,
         [](Model& m) { m.SetBuccalRegistrationResultToLower(MakeResult(0)); }},
        {"SetBuccalRegistrationResultToUpper", 73,
         [](Model& m) { m.SetBuccalRegistrationResultToUpper(MakeResult(0)); }},
        {"GetBuccalRegistrationStrategyStatus", 82,
         [](Model& m) { m.GetBuccalRegistrationStrategyStatus(); }},
    };
    for (SExpectedThrow const& expected : cases)
    {
        try
        {
            expected.call(model);
            ADD_FAILURE() << expected.operation << " did not throw";
        }
        catch (OrxException const& e)
        {
            EXPECT_EQ(L"The areas must be set", e.GetMessage()) << expected.operation;
            EXPECT_EQ("businesslayer/common/cbuccalregistrationresultdataexchangemodelbase", e.GetFile());
            EXPECT_EQ(expected.line, e.GetLine()) << expected.operation;
            EXPECT_EQ(std::string("BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::") +
                          expected.operation,
                      e.GetFunction());
        }
    }
}
} // namespace
