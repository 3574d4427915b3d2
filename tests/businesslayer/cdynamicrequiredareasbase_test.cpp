#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "reference_host/ccommonareas.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "support/requiredlevels.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CDynamicRequiredAreasBase;
using Level = CDynamicRequiredAreasBase::EAreaRequirementLevel;
using A = EAreaItems;

constexpr Level N = Level::NotRequired;
constexpr Level O = Level::Optional;
constexpr Level R = Level::Obligatory;

using Orx2Test::Levels;

class DynamicRequiredAreas : public ::testing::Test
{
protected:
    DynamicRequiredAreas() { model.SetRequiredAreasArray(caseLevels); }

    /// Instantiates `area` and gives it data (or takes it away).
    void SetHasData(EAreaItems area, bool hasData = true)
    {
        areas->InstantiateArea(area);
        areas->GetCommonArea(area)->SetHasDataOrReco(hasData);
    }

    std::vector<Level> Output() const { return model.GetRequiredAreasArray().GetValues(); }

    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    Base::Binding::TArrayProperty<Level> caseLevels;
    CDynamicRequiredAreasBase model{areas};
};

TEST_F(DynamicRequiredAreas, WithoutDataTheCaseLevelsPassThrough)
{
    caseLevels.Set(Levels({}));
    EXPECT_EQ(Levels({}), Output());
    caseLevels.Set(Levels({A::BiteLower, A::ArticulationReg}));
    EXPECT_EQ(Levels({A::BiteLower, A::ArticulationReg}), Output());
}

TEST_F(DynamicRequiredAreas, AnObligatoryDependentAreaRaisesItsJawOnly)
{
    caseLevels.Set(Levels({A::PreOpLower}));
    EXPECT_EQ(Levels({A::LowerJaw, A::PreOpLower}), Output());

    for (EAreaItems const upperSide :
         {A::BiogenRefUpper, A::GingivaMaskUpper, A::PreOpUpper, A::ScanbodyUpper})
    {
        caseLevels.Set(Levels({upperSide}));
        EXPECT_EQ(Levels({A::UpperJaw, upperSide}), Output()) << Base::GetAreaName(upperSide);
    }
    // The buccal registration itself, when prescribed, does not make the jaws obligatory.
    caseLevels.Set(Levels({A::BuccalReg}));
    EXPECT_EQ(Levels({A::BuccalReg}), Output());
}

TEST_F(DynamicRequiredAreas, DataOfADependentAreaRaisesItsJaw)
{
    caseLevels.Set(Levels({}));
    for (EAreaItems const lowerSide :
         {A::BiogenRefLower, A::GingivaMaskLower, A::PreOpLower, A::ScanbodyLower})
    {
        SetHasData(lowerSide);
        EXPECT_EQ(Levels({A::LowerJaw}), Output()) << Base::GetAreaName(lowerSide);
        SetHasData(lowerSide, false);
        EXPECT_EQ(Levels({}), Output()) << Base::GetAreaName(lowerSide);
    }
}

TEST_F(DynamicRequiredAreas, BuccalIsRaisedWhenBothJawsAreObligatoryOrHoldData)
{
    caseLevels.Set(Levels({A::LowerJaw}));
    EXPECT_EQ(Levels({A::LowerJaw}), Output());
    SetHasData(A::UpperJaw);
    EXPECT_EQ(Levels({A::LowerJaw, A::BuccalReg}), Output());

    // Both jaws raised by the rules count as well.
    caseLevels.Set(Levels({A::PreOpLower, A::ScanbodyUpper}));
    SetHasData(A::UpperJaw, false);
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg, A::PreOpLower, A::ScanbodyUpper}), Output());
}

TEST_F(DynamicRequiredAreas, BuccalDataRaisesBothJawsAndThenItself)
{
    caseLevels.Set(Levels({}));
    SetHasData(A::BuccalReg);
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg}), Output());
}

TEST_F(DynamicRequiredAreas, TheOutputAlwaysHasFourteenEntries)
{
    std::vector<Level> twenty = Levels({A::ScanbodyUpper}, 20);
    twenty[17] = R;
    caseLevels.Set(twenty);
    EXPECT_EQ(Levels({A::UpperJaw, A::ScanbodyUpper}), Output());

    // Ten entries: the last four count as 1, and are still raised by data.
    caseLevels.Set(Levels({}, 10, N));
    std::vector<Level> expected = Levels({}, Base::kAreaItemCount, N);
    std::fill(expected.begin() + 10, expected.end(), O);
    EXPECT_EQ(expected, Output());
    SetHasData(A::ScanbodyLower);
    expected[Base::AreaIndex(A::LowerJaw)] = R;
    EXPECT_EQ(expected, Output());

    caseLevels.Clear();
    SetHasData(A::ScanbodyLower, false);
    EXPECT_EQ(Levels({}), Output());
}

TEST_F(DynamicRequiredAreas, ZeroIsRaisedLikeOneAndOtherValuesStay)
{
    std::vector<Level> levels = Levels({A::GingivaMaskUpper}, Base::kAreaItemCount, N);
    levels[Base::AreaIndex(A::LowerJaw)] = static_cast<Level>(3);
    caseLevels.Set(levels);
    SetHasData(A::PreOpLower);

    std::vector<Level> expected = levels;
    expected[Base::AreaIndex(A::UpperJaw)] = R; // from 0
    // The lower jaw keeps its 3 and so does not count as obligatory for the buccal registration, but
    // the upper jaw is, and the lower jaw holds no data: the buccal registration stays.
    EXPECT_EQ(expected, Output());

    SetHasData(A::LowerJaw);
    expected[Base::AreaIndex(A::BuccalReg)] = R;
    EXPECT_EQ(expected, Output());
}

TEST_F(DynamicRequiredAreas, FollowsAreasInstantiatedAndRemovedLater)
{
    caseLevels.Set(Levels({}));
    areas->InstantiateArea(A::GingivaMaskUpper);
    areas->GetCommonArea(A::GingivaMaskUpper)->SetHasDataOrReco(true);
    EXPECT_EQ(Levels({A::UpperJaw}), Output());

    // A removed area is no longer observed; its last flag is kept until it is instantiated again.
    std::shared_ptr<ReferenceHost::CCommonArea> const removed = areas->GetCommonArea(A::GingivaMaskUpper);
    areas->RemoveArea(A::GingivaMaskUpper);
    removed->SetHasDataOrReco(false);
    caseLevels.Set(Levels({A::BiteUpper}));
    EXPECT_EQ(Levels({A::UpperJaw, A::BiteUpper}), Output());

    areas->InstantiateArea(A::GingivaMaskUpper);
    EXPECT_EQ(Levels({A::BiteUpper}), Output());
}

TEST_F(DynamicRequiredAreas, RebindingFollowsTheNewSource)
{
    Base::Binding::TArrayProperty<Level> other(Levels({A::ScanbodyLower}));
    model.SetRequiredAreasArray(other);
    EXPECT_EQ(Levels({A::LowerJaw, A::ScanbodyLower}), Output());
    caseLevels.Set(Levels({A::UpperJaw}));
    EXPECT_EQ(Levels({A::LowerJaw, A::ScanbodyLower}), Output());
}

TEST_F(DynamicRequiredAreas, ComputesDirectlyFromGivenLevels)
{
    SetHasData(A::ScanbodyUpper);
    model.UpdateDynamicRequiredAreas({R});
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg}), Output());
}

TEST_F(DynamicRequiredAreas, OnceTheAreasAreGoneTheLastFlagsStillCount)
{
    SetHasData(A::PreOpUpper);
    areas.reset();
    caseLevels.Set(Levels({A::LowerJaw}));
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg}), Output());
}

/// A product model that takes the data flags from sources of its own.
class CProductRequiredAreas : public CDynamicRequiredAreasBase
{
public:
    explicit CProductRequiredAreas(std::shared_ptr<BusinessLayer::ICommonAreas> const& areas)
        : CDynamicRequiredAreasBase(areas)
    {
        Init();
    }

    std::map<EAreaItems, Base::Binding::TValueBindingSource<bool>> flags;
    using CDynamicRequiredAreasBase::GetHasDataOrReco;

private:
    Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco(EAreaItems area) override
    {
        return flags.try_emplace(area, false).first->second;
    }
};

TEST(DynamicRequiredAreasProduct, ADerivedClassSuppliesItsOwnDataSources)
{
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(A::BiogenRefLower);
    areas->GetCommonArea(A::BiogenRefLower)->SetHasDataOrReco(true);
    CProductRequiredAreas model(areas);
    // The host's flag is not the product's.
    EXPECT_EQ(Levels({}), model.GetRequiredAreasArray().GetValues());
    model.flags.at(A::BiogenRefLower).Set(true);
    EXPECT_EQ(Levels({A::LowerJaw}), model.GetRequiredAreasArray().GetValues());
}

TEST(DynamicRequiredAreasExpiry, WithoutAreasTheModelFollowsNothingAndGetHasDataOrRecoThrows)
{
    std::weak_ptr<BusinessLayer::ICommonAreas> const expired =
        std::make_shared<ReferenceHost::CCommonAreas>();
    class CExposed : public CDynamicRequiredAreasBase
    {
    public:
        using CDynamicRequiredAreasBase::CDynamicRequiredAreasBase;
        using CDynamicRequiredAreasBase::GetHasDataOrReco;
    } model(expired.lock());

    Base::Binding::TArrayProperty<Level> caseLevels(Levels({A::UpperJaw}));
    model.SetRequiredAreasArray(caseLevels);
    EXPECT_EQ(0u, model.GetRequiredAreasArray().GetSize());
    try
    {
        model.GetHasDataOrReco(A::LowerJaw);
        ADD_FAILURE() << "did not throw";
    }
    catch (OrxException const& e)
    {
        EXPECT_EQ(L"The areas must be set", e.GetMessage());
        EXPECT_EQ("businesslayer/common/cdynamicrequiredareasbase", e.GetFile());
        EXPECT_EQ(90, e.GetLine());
        EXPECT_EQ("BusinessLayer::CDynamicRequiredAreasBase::GetHasDataOrReco", e.GetFunction());
    }
}

TEST(DynamicRequiredAreasThreads, ConcurrentDataAndLevelChangesSettleOnTheLastState)
{
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(A::PreOpUpper);
    std::shared_ptr<ReferenceHost::CCommonArea> const preOp = areas->GetCommonArea(A::PreOpUpper);
    Base::Binding::TArrayProperty<Level> caseLevels;
    CDynamicRequiredAreasBase model(areas);
    model.SetRequiredAreasArray(caseLevels);
    {
        Orx2Test::ScopedThread data(
            [&]
            {
                for (int i = 0; i < 200; ++i)
                    preOp->SetHasDataOrReco(i % 2 == 0);
            });
        Orx2Test::ScopedThread levels(
            [&]
            {
                for (int i = 0; i < 200; ++i)
                    caseLevels.Set(Levels(i % 2 == 0 ? std::initializer_list<EAreaItems>{A::LowerJaw}
                                                     : std::initializer_list<EAreaItems>{}));
            });
        Orx2Test::ScopedThread areaSet(
            [&]
            {
                for (int i = 0; i < 50; ++i)
                {
                    areas->InstantiateArea(A::BiteLower);
                    areas->RemoveArea(A::BiteLower);
                }
            });
    }
    // The last data change was "no data" and the last levels had nothing obligatory; a final change
    // computes from both.
    caseLevels.Set(Levels({A::LowerJaw}));
    EXPECT_EQ(Levels({A::LowerJaw}), model.GetRequiredAreasArray().GetValues());
}
} // namespace
