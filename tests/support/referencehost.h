#pragma once
// A fresh reference host for each business-layer test: its areas, its acquisition properties, and
// instantiating an area in one call.
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"

#include <gtest/gtest.h>

#include <memory>

namespace Orx2Test
{
/// Adds the reference host to the GoogleTest fixture `Fixture`. Members are public so that table rows
/// taking the fixture by reference reach them.
template <class Fixture = ::testing::Test>
class WithReferenceHost : public Fixture
{
public:
    /// Instantiates `area` (when the host allows it) and sets whether it holds data and contributes to
    /// the model; returns the area, null when it could not be instantiated.
    std::shared_ptr<ReferenceHost::CCommonArea> Instantiate(Base::EAreaItems area, bool hasData = false,
                                                            bool contributes = true)
    {
        areas->InstantiateArea(area);
        std::shared_ptr<ReferenceHost::CCommonArea> object = areas->GetCommonArea(area);
        if (object)
            object->SetHasDataOrReco(hasData);
        if (object && !contributes)
            object->SetContributesToModel(false);
        return object;
    }

    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> properties =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
};

using ReferenceHostTest = WithReferenceHost<>;
} // namespace Orx2Test
