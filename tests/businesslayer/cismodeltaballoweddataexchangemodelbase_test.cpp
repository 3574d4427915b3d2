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

TEST_F(ModelTab, AllowedOnceEveryRequiredAreaHoldsDataOrWhileTheHostTreatsTheReconstructionAsDone)
{
    // What the setters decide holds until the next evaluation; with no data at all nothing is allowed.
    model.SetIsModelTabAllowed(true);
    model.SetIsDataAvailable(true);
    EXPECT_TRUE(Allowed());
    EXPECT_TRUE(DataAvailable());
    levels.Set(Levels({}));
    EXPECT_FALSE(Allowed());
    EXPECT_FALSE(DataAvailable());

    // Levels beyond the has-data array count as without data.
    levels.Set(Levels({EAreaItems::ScanbodyUpper}));
    auto const lower = Add(EAreaItems::LowerJaw); // the has-data array ends after position 0
    EXPECT_FALSE(DataAvailable());
    lower->SetHasDataOrReco(true);
    EXPECT_TRUE(DataAvailable());
    EXPECT_FALSE(Allowed());
    levels.Set(Levels({EAreaItems::LowerJaw}, 20));
    EXPECT_TRUE(Allowed());

    // Without required areas any data allows the tab; an area contributing to the model is required.
    levels.Set(Levels({}));
    EXPECT_TRUE(Allowed());
    auto const buccal = Add(EAreaItems::BuccalReg);
    buccal->SetContributesToModel(true); // level 1, but needed for the model now
    EXPECT_FALSE(Allowed());
    buccal->SetHasDataOrReco(true);
    EXPECT_TRUE(Allowed());

    levels.Set(Levels({EAreaItems::UpperJaw}));
    EXPECT_FALSE(Allowed());
    properties->SetTreatReconstructionAsDone(true); // one notification: the scan start-up's concern
    EXPECT_TRUE(Allowed());
    EXPECT_FALSE(model.GetIsModelTabAllowed().Get()); // the evaluation's own value, for the host
    properties->SetTreatReconstructionAsDone(false);
    EXPECT_FALSE(Allowed());
}

/// A product class that leaves Init to the test.
class LateInitModel final : public CIsModelTabAllowedDataExchangeModelBase
{
public:
    using CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase;
    using CIsModelTabAllowedDataExchangeModelBase::Init;
    Base::Binding::IValueBindingSource<bool> const& GetAreaDataAvailable(EAreaItems) override { return hasData; }
    Base::Binding::TValueBindingSource<bool> hasData{true};
};

TEST_F(ModelTab, NothingIsObservedBeforeInitAndInitNeedsTheAreas)
{
    areas->InstantiateArea(EAreaItems::LowerJaw);
    LateInitModel late(properties, areas);
    EXPECT_FALSE(late.GetIsDataAvailable().Get());
    late.Init();
    EXPECT_TRUE(late.GetIsDataAvailable().Get());
    EXPECT_TRUE(late.GetIsModelTabAllowed().Get()); // the contributing lower jaw has data of its own source

    areas.reset();
    Orx2Test::ExpectOrxException([&] { late.Init(); },
                                 {L"The areas must be set",
                                  "businesslayer/common/cismodeltaballoweddataexchangemodelbase", 61,
                                  "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::Init"});
    late.hasData.Set(false); // no longer observed
    EXPECT_TRUE(late.GetIsDataAvailable().Get());
}
} // namespace
