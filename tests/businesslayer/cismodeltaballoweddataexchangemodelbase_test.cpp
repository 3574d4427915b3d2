// The model tab's rules; every obligatory area needing data is followed through the scan session
// scenario, and one notification per change of the published value through the scan start-up.
#include "businesslayer/common/cismodeltaballoweddataexchangemodelbase.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "support/expectorxexception.h"
#include "support/referencehost.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CIsModelTabAllowedDataExchangeModelBase;
using Level = CIsModelTabAllowedDataExchangeModelBase::EAreaRequirementLevel;

using Orx2Test::Levels;

class ModelTab : public Orx2Test::ReferenceHostTest
{
protected:
    ModelTab() { model.SetRequiredAreasArray(levels); }

    /// `area` instantiated as not contributing, so that only the levels make it required.
    std::shared_ptr<ReferenceHost::CCommonArea> Add(EAreaItems area, bool hasData = false)
    {
        return Instantiate(area, hasData, false);
    }

    bool Allowed() const { return model.GetIsModelTabAllowed().Get(); }
    bool DataAvailable() const { return model.GetIsDataAvailable().Get(); }

    Base::Binding::TArrayProperty<Level> levels;
    ReferenceHost::CIsModelTabAllowedDataExchangeModel model{properties, areas};
};

TEST_F(ModelTab, WithoutRequiredAreasAnyDataAllowsTheTab)
{
    levels.Set(Levels({}));
    Add(EAreaItems::LowerJaw);
    EXPECT_FALSE(Allowed());
    EXPECT_FALSE(DataAvailable());
    Add(EAreaItems::BiteUpper, true);
    EXPECT_TRUE(Allowed());
    EXPECT_TRUE(DataAvailable());
}

TEST_F(ModelTab, LevelsBeyondTheHasDataArrayCountAsWithoutData)
{
    Add(EAreaItems::LowerJaw, true); // the has-data array ends after position 0
    levels.Set(Levels({EAreaItems::ScanbodyUpper}));
    EXPECT_TRUE(DataAvailable());
    EXPECT_FALSE(Allowed());
    levels.Set(Levels({EAreaItems::LowerJaw}, 20));
    EXPECT_TRUE(Allowed());
}

TEST_F(ModelTab, AContributingAreaCountsAsRequired)
{
    levels.Set(Levels({}));
    Add(EAreaItems::LowerJaw, true);
    auto const buccal = Add(EAreaItems::BuccalReg);
    ASSERT_TRUE(Allowed());
    buccal->SetContributesToModel(true); // level 1, but needed for the model now
    EXPECT_FALSE(Allowed());
    buccal->SetHasDataOrReco(true);
    EXPECT_TRUE(Allowed());
}

TEST_F(ModelTab, TreatingTheReconstructionAsDoneAllowsTheTabWhateverTheEvaluationSays)
{
    levels.Set(Levels({EAreaItems::LowerJaw}));
    properties->SetTreatReconstructionAsDone(true); // one notification: the scan start-up's concern
    EXPECT_TRUE(Allowed());
    EXPECT_FALSE(model.GetIsModelTabAllowed().Get()); // the evaluation's own value, for the host
    properties->SetTreatReconstructionAsDone(false);
    EXPECT_FALSE(Allowed());
}

TEST_F(ModelTab, SettersHoldUntilTheNextEvaluation)
{
    levels.Set(Levels({EAreaItems::LowerJaw}));
    model.SetIsModelTabAllowed(true);
    model.SetIsDataAvailable(true);
    EXPECT_TRUE(Allowed());
    EXPECT_TRUE(DataAvailable());
    Add(EAreaItems::UpperJaw); // the area set changes: evaluated again
    EXPECT_FALSE(Allowed());
    EXPECT_FALSE(DataAvailable());
}

/// A product class that leaves Init to the test.
class LateInitModel final : public CIsModelTabAllowedDataExchangeModelBase
{
public:
    using CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase;
    using CIsModelTabAllowedDataExchangeModelBase::Init;

protected:
    Base::Binding::IValueBindingSource<bool> const& GetAreaDataAvailable(EAreaItems) override
    {
        return hasData;
    }

public:
    Base::Binding::TValueBindingSource<bool> hasData{true};
};

TEST(ModelTabInit, NothingIsObservedBeforeInitAndInitNeedsTheAreas)
{
    auto const properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
    auto areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    LateInitModel model(properties, areas);
    EXPECT_FALSE(model.GetIsDataAvailable().Get());
    model.Init();
    EXPECT_TRUE(model.GetIsDataAvailable().Get());
    EXPECT_TRUE(model.GetIsModelTabAllowed().Get()); // the contributing lower jaw has data

    areas.reset();
    Orx2Test::ExpectOrxException([&] { model.Init(); },
                                 {L"The areas must be set",
                                  "businesslayer/common/cismodeltaballoweddataexchangemodelbase", 61,
                                  "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::Init"});
    model.hasData.Set(false); // no longer observed
    EXPECT_TRUE(model.GetIsDataAvailable().Get());
}
} // namespace
