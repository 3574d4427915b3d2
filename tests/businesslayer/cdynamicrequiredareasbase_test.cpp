#include "businesslayer/common/cdynamicrequiredareasbase.h"

#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "support/referencehost.h"
#include "support/requiredlevels.h"

#include <gtest/gtest.h>

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

class DynamicRequiredAreas : public Orx2Test::ReferenceHostTest
{
protected:
    DynamicRequiredAreas() { model.SetRequiredAreasArray(caseLevels); }

    std::vector<Level> Output() const { return model.GetRequiredAreasArray().GetValues(); }

    Base::Binding::TArrayProperty<Level> caseLevels;
    CDynamicRequiredAreasBase model{areas};
};

/// `levels` with the given areas set to `level`.
std::vector<Level> With(std::vector<Level> levels, std::initializer_list<EAreaItems> at, Level level = R)
{
    for (EAreaItems const area : at)
        levels.at(Base::AreaIndex(area)) = level;
    return levels;
}

TEST_F(DynamicRequiredAreas, EachRuleFromTheCaseLevelsAndTheAreasHoldingData)
{
    struct SRule
    {
        char const* name;
        std::vector<Level> caseLevels;
        std::initializer_list<EAreaItems> withData;
        std::vector<Level> expected;
    };
    std::vector<Level> const none = Levels({});
    std::vector<Level> const tenNotRequired = Levels({}, 10, N);
    std::vector<Level> const tenPadded = With(Levels({}, Base::kAreaItemCount, N),
                                              {A::BiteUpper, A::ArticulationReg, A::ScanbodyLower, A::ScanbodyUpper}, O);
    std::vector<Level> const lowerJawThree =
        With(Levels({A::GingivaMaskUpper}, Base::kAreaItemCount, N), {A::LowerJaw}, static_cast<Level>(3));
    SRule const rules[] = {
        {"nothing prescribed, no data", none, {}, none},
        {"areas without dependants pass through", Levels({A::BiteLower, A::ArticulationReg}), {},
         Levels({A::BiteLower, A::ArticulationReg})},
        {"biogen reference upper raises the upper jaw", Levels({A::BiogenRefUpper}), {},
         Levels({A::UpperJaw, A::BiogenRefUpper})},
        {"gingiva mask upper raises the upper jaw", Levels({A::GingivaMaskUpper}), {},
         Levels({A::UpperJaw, A::GingivaMaskUpper})},
        {"pre-op upper raises the upper jaw", Levels({A::PreOpUpper}), {}, Levels({A::UpperJaw, A::PreOpUpper})},
        {"scanbody upper raises the upper jaw", Levels({A::ScanbodyUpper}), {},
         Levels({A::UpperJaw, A::ScanbodyUpper})},
        {"a prescribed buccal registration raises no jaw", Levels({A::BuccalReg}), {}, Levels({A::BuccalReg})},
        {"data of biogen reference lower", none, {A::BiogenRefLower}, Levels({A::LowerJaw})},
        {"data of gingiva mask lower", none, {A::GingivaMaskLower}, Levels({A::LowerJaw})},
        {"data of pre-op lower", none, {A::PreOpLower}, Levels({A::LowerJaw})},
        {"lower jaw prescribed, upper jaw holds data: buccal", Levels({A::LowerJaw}), {A::UpperJaw},
         Levels({A::LowerJaw, A::BuccalReg})},
        {"both jaws raised by the rules: buccal", Levels({A::PreOpLower, A::ScanbodyUpper}), {},
         Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg, A::PreOpLower, A::ScanbodyUpper})},
        {"buccal data raises both jaws and itself", none, {A::BuccalReg},
         Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg})},
        {"twenty levels are cut to fourteen", With(Levels({A::ScanbodyUpper}, 20), {}), {},
         Levels({A::UpperJaw, A::ScanbodyUpper})},
        {"ten levels: the missing four are optional", tenNotRequired, {}, tenPadded},
        {"ten levels: data still raises", tenNotRequired, {A::ScanbodyLower}, With(tenPadded, {A::LowerJaw})},
        {"zero is raised like one, three stays", lowerJawThree, {A::PreOpLower}, With(lowerJawThree, {A::UpperJaw})},
        {"three is not obligatory, but data of the lower jaw counts", lowerJawThree, {A::PreOpLower, A::LowerJaw},
         With(lowerJawThree, {A::UpperJaw, A::BuccalReg})},
    };
    for (SRule const& rule : rules)
    {
        areas = std::make_shared<ReferenceHost::CCommonAreas>(); // a fresh host and model for each rule
        for (EAreaItems const area : rule.withData)
            Instantiate(area, true);
        Base::Binding::TArrayProperty<Level> given(rule.caseLevels);
        CDynamicRequiredAreasBase fresh(areas);
        fresh.SetRequiredAreasArray(given);
        EXPECT_EQ(rule.expected, fresh.GetRequiredAreasArray().GetValues()) << rule.name;
    }
}

TEST_F(DynamicRequiredAreas, FollowsDataLevelsAndTheAreaSetAndKeepsTheLastFlagsOnceTheAreasAreGone)
{
    caseLevels.Set(Levels({}));
    Instantiate(A::GingivaMaskLower, true);
    EXPECT_EQ(Levels({A::LowerJaw}), Output());
    Instantiate(A::GingivaMaskLower, false);
    EXPECT_EQ(Levels({}), Output());
    caseLevels.Set(Levels({A::PreOpUpper}));
    EXPECT_EQ(Levels({A::UpperJaw, A::PreOpUpper}), Output());
    caseLevels.Clear();
    EXPECT_EQ(Levels({}), Output());

    // A removed area is no longer observed; its last flag is kept until it is instantiated again.
    std::shared_ptr<ReferenceHost::CCommonArea> const removed = Instantiate(A::GingivaMaskUpper, true);
    areas->RemoveArea(A::GingivaMaskUpper);
    removed->SetHasDataOrReco(false);
    caseLevels.Set(Levels({A::BiteUpper}));
    EXPECT_EQ(Levels({A::UpperJaw, A::BiteUpper}), Output());
    areas->InstantiateArea(A::GingivaMaskUpper);
    EXPECT_EQ(Levels({A::BiteUpper}), Output());

    // Given levels directly: the data of a scanbody upper and an obligatory lower jaw.
    Instantiate(A::ScanbodyUpper, true);
    model.UpdateDynamicRequiredAreas({R});
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg}), Output());
    // Rebinding follows the new source only.
    Base::Binding::TArrayProperty<Level> other(Levels({A::ScanbodyLower}));
    model.SetRequiredAreasArray(other);
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg, A::ScanbodyLower}), Output());
    caseLevels.Set(Levels({A::UpperJaw}));
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg, A::ScanbodyLower}), Output());

    // Once the host's areas are gone the levels are still followed, with the last flags.
    Instantiate(A::ScanbodyUpper, false);
    Instantiate(A::PreOpUpper, true);
    areas.reset();
    other.Set(Levels({A::LowerJaw}));
    EXPECT_EQ(Levels({A::LowerJaw, A::UpperJaw, A::BuccalReg}), Output());
}

/// A product model that takes the data flags from a source of its own, one for every area.
class CProductRequiredAreas : public CDynamicRequiredAreasBase
{
public:
    explicit CProductRequiredAreas(std::shared_ptr<BusinessLayer::ICommonAreas> const& areas)
        : CDynamicRequiredAreasBase(areas, SStartLater{})
    {
        Start();
    }
    Base::Binding::TValueBindingSource<bool> flag{false};

private:
    Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco(EAreaItems) override { return flag; }
};

TEST_F(DynamicRequiredAreas, ADerivedClassSuppliesItsOwnDataSources)
{
    Instantiate(A::BiogenRefLower, true);
    CProductRequiredAreas product(areas);
    // The host's flag is not the product's.
    EXPECT_EQ(Levels({}), product.GetRequiredAreasArray().GetValues());
    product.flag.Set(true);
    EXPECT_EQ(Levels({A::LowerJaw}), product.GetRequiredAreasArray().GetValues());
}

// Its GetHasDataOrReco then throws, which the throw table pins.
TEST(DynamicRequiredAreasExpiry, WithoutAreasTheModelFollowsNothing)
{
    CDynamicRequiredAreasBase model(nullptr);
    Base::Binding::TArrayProperty<Level> caseLevels(Levels({A::UpperJaw}));
    model.SetRequiredAreasArray(caseLevels);
    EXPECT_EQ(0u, model.GetRequiredAreasArray().GetSize());
}
} // namespace
