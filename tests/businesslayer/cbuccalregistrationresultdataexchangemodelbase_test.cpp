#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "reference_host/ccommonareas.h"

#include <gtest/gtest.h>

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
} // namespace
