// The registration results the host keeps, per area and for the buccal registration, as the data
// exchange models hand them to the GUI and back to the host.
#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "reference_host/carearegistrationinfo.h"
#include "reference_host/ccommonareas.h"

#include "base/orx2basepool/tfullarrayobserver.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CAreaRegistrationResultDataExchangeModelBase;
using Status = BusinessLayer::IAreaRegistrationInfo::ERegistrationStatus;
using InfoPtr = std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>;

class AreaRegistrationResultModel : public ::testing::Test
{
protected:
    InfoPtr Info(Status status) { return std::make_shared<ReferenceHost::CAreaRegistrationInfo>(status); }

    /// Puts infos with these statuses (an empty optional: an empty entry) at positions 0, 1, ...
    void SetStatuses(std::initializer_list<Base::TOptional<Status>> statuses)
    {
        std::vector<InfoPtr> infos;
        for (Base::TOptional<Status> const& status : statuses)
            infos.push_back(status.HasValue() ? Info(status.value()) : nullptr);
        areas->SetAreaRegistrationInfos(infos);
    }

    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    CAreaRegistrationResultDataExchangeModelBase model{areas};
};

TEST_F(AreaRegistrationResultModel, AllSuccessfulAndAnySuccessfulPerRowOfEntries)
{
    using Entry = Base::TOptional<Status>; // empty: an empty entry
    struct SRow
    {
        char const* name;
        std::initializer_list<Entry> entries;
        bool allSuccessful;
        bool anySuccessful;
    };
    SRow const rows[] = {
        {"no entries", {}, true, false},
        {"empty entries count neither way", {Status::Successful, Entry(), Status::Successful}, true, true},
        {"only empty entries", {Entry(), Entry()}, true, false},
        {"one not registered spoils all", {Status::Successful, Status::NotRegistered, Status::Successful}, false, true},
        {"one failed spoils all", {Status::Successful, Status::Failed}, false, true},
        {"unknown statuses count neither way", {static_cast<Status>(3), static_cast<Status>(-1)}, true, false},
    };
    for (SRow const& row : rows)
    {
        SetStatuses(row.entries);
        EXPECT_EQ(row.allSuccessful, model.AllAreaRegistrationsSuccessful()) << row.name;
        EXPECT_EQ(row.anySuccessful, model.HasSuccessfulAreaRegistrations()) << row.name;
    }
}

TEST_F(AreaRegistrationResultModel, EntriesAreFoundByPositionReadLiveAndReachTheGui)
{
    std::vector<std::vector<InfoPtr>> seen;
    auto observer = Base::Binding::MakeFullArrayObserver(model.GetAreaRegistrationInfoArray(),
                                                         [&seen](std::vector<InfoPtr> const& infos)
                                                         { seen.push_back(infos); });
    auto const lower = std::make_shared<ReferenceHost::CAreaRegistrationInfo>(Status::Failed);
    areas->SetAreaRegistrationInfo(EAreaItems::LowerJaw, lower);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(std::vector<InfoPtr>{lower}, seen.back());
    EXPECT_EQ(InfoPtr(lower), model.GetAreaRegistrationInfo(EAreaItems::LowerJaw));
    EXPECT_EQ(nullptr, model.GetAreaRegistrationInfo(EAreaItems::UpperJaw)); // beyond the array
    EXPECT_EQ(nullptr, model.GetAreaRegistrationInfo(EAreaItems::Undefined));
    EXPECT_FALSE(model.AllAreaRegistrationsSuccessful());
    lower->SetRegistrationStatus(Status::Successful); // read at each query, never kept
    EXPECT_TRUE(model.AllAreaRegistrationsSuccessful());
    EXPECT_TRUE(model.HasSuccessfulAreaRegistrations());
}

TEST_F(AreaRegistrationResultModel, SettersReachTheHost)
{
    JbMatrix4Rd registration = JbMatrix4Rd::Identity();
    registration(1, 3) = -2.5;
    model.SetAreaRegistration(EAreaItems::BiteUpper, registration);
    EXPECT_EQ(registration, areas->GetStoredAreaRegistration(EAreaItems::BiteUpper));
    model.ResetAreaRegistration(EAreaItems::BiteUpper);
    EXPECT_FALSE(areas->GetStoredAreaRegistration(EAreaItems::BiteUpper).has_value());

    model.SetImportedAreaRegistrationInfo(EAreaItems::ArticulationReg, false, registration, 0.25f);
    auto const imported = areas->GetImportedAreaRegistrationInfo(EAreaItems::ArticulationReg);
    ASSERT_TRUE(imported.has_value());
    EXPECT_FALSE(imported->isRegistered);
    EXPECT_EQ(registration, imported->registration);
    EXPECT_EQ(0.25f, imported->quality);
}

TEST_F(AreaRegistrationResultModel, WithTheAreasGoneSettersDoNothingAndTheArrayReadsEmpty)
{
    SetStatuses({Status::Failed, Status::Successful});
    areas.reset();

    EXPECT_NO_THROW(model.SetAreaRegistration(EAreaItems::LowerJaw, JbMatrix4Rd::Identity()));
    EXPECT_NO_THROW(model.ResetAreaRegistration(EAreaItems::LowerJaw));
    EXPECT_NO_THROW(model.SetImportedAreaRegistrationInfo(EAreaItems::LowerJaw, true, JbMatrix4Rd(), 1.0f));
    EXPECT_EQ(0u, model.GetAreaRegistrationInfoArray().GetSize());
    EXPECT_TRUE(model.AllAreaRegistrationsSuccessful());
    EXPECT_FALSE(model.HasSuccessfulAreaRegistrations());
    EXPECT_EQ(nullptr, model.GetAreaRegistrationInfo(EAreaItems::LowerJaw));
}

// The buccal registration model hands out the host's own properties and source, so the GUI sees the
// host's changes, and its setters reach the host's side of the name.
TEST_F(AreaRegistrationResultModel, TheBuccalModelIsTheHostsOwn)
{
    BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase buccal(areas);
    auto const shifted = [](double shift)
    {
        JbMatrix4Rd transformation = JbMatrix4Rd::Identity();
        transformation(2, 3) = shift;
        return Base::CBuccalRegistrationResult(transformation);
    };
    buccal.SetBuccalRegistrationResultToUpper(shifted(1.0));
    buccal.SetBuccalRegistrationResultToLower(shifted(2.0));
    EXPECT_EQ(shifted(1.0), areas->GetBuccalRegistrationResultToUpper().Get());
    EXPECT_EQ(shifted(2.0), areas->GetBuccalRegistrationResultToLower().Get());
    EXPECT_EQ(&areas->GetBuccalRegistrationResultToUpper(), &buccal.GetBuccalRegistrationResultToUpper());
    EXPECT_EQ(&areas->GetBuccalRegistrationResultToLower(), &buccal.GetBuccalRegistrationResultToLower());
    areas->SetBuccalRegistrationStrategyStatus(Base::EBuccalRegistrationStrategyStatus::Running);
    EXPECT_EQ(Base::EBuccalRegistrationStrategyStatus::Running,
              buccal.GetBuccalRegistrationStrategyStatus().GetValue());
}
} // namespace
