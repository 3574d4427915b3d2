#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "businesslayer/common/cvideomode2ddataexchangemodel.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "support/commandenvironment.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
using Base::EAreaItems;
using namespace BusinessLayer;

/// `Model` whose destruction calls a hook first.
template <class Model> class TRecorded final : public Model
{
public:
    template <class... Args>
    explicit TRecorded(std::function<void()> onDestroy, Args&&... args)
        : Model(std::forward<Args>(args)...), m_onDestroy(std::move(onDestroy))
    {
    }
    ~TRecorded() override { m_onDestroy(); }

private:
    std::function<void()> m_onDestroy;
};

template <class Interface> class TEmptyModel : public Base::TNotifyPropertyChangedImpl<Interface>
{
};

class DataExchangeConfiguration : public Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>
{
protected:
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
};

TEST_F(DataExchangeConfiguration, EmptyHostObjectsFailTheConstruction)
{
    EXPECT_THROW(CCommonDataExchangeConfiguration(nullptr, areas, selectedArea), OrxException);
    EXPECT_THROW(CCommonDataExchangeConfiguration(properties, nullptr, selectedArea), OrxException);
}

TEST_F(DataExchangeConfiguration, ReleasesTheModelsInOrderUnderOneJournalReport)
{
    auto configuration = std::make_unique<CCommonDataExchangeConfiguration>(properties, areas, selectedArea);
    std::vector<std::string> log;
    // The models without setters are watched; the others are replaced by ones that log their end.
    std::vector<std::pair<std::string, std::weak_ptr<void const>>> const watched = {
        {"case", configuration->GetCaseRequiredAreasDataExchangeModel()},
        {"surfels", configuration->GetAreaSurfelColletionDataExchangeModel()},
        {"buccal", configuration->GetBuccalRegistrationResultDataExchangeModel()},
        {"optimization", configuration->GetAreaOptimizationStateDataExchangeModel()},
        {"occlusal", configuration->GetAreaOcclusalDirectionDataExchangeModel()},
        {"modification", configuration->GetDataModificationDataExchangeModel()},
        {"instantiated", configuration->GetInstantiatedAreaDataExchangeModel()},
        {"entities", configuration->GetAreaEntityCollectionDataExchangeModel()}};
    auto const record = [&](std::string name)
    {
        return [&, name]
        {
            std::string entry =
                name + (m_journal->GetOpenReportCount() == 1 ? " reported" : " unreported") + ":";
            for (auto const& [watchedName, model] : watched)
                if (!model.expired())
                    entry += " " + watchedName;
            log.push_back(entry);
        };
    };
    configuration->SetReconstructionResultDataExchangeModel(
        std::make_shared<TRecorded<CReconstructionResultDataExchangeModel>>(record("result"), properties,
                                                                            areas));
    configuration->SetIsModelTabAllowedDataExchangeModel(
        std::make_shared<TRecorded<ReferenceHost::CIsModelTabAllowedDataExchangeModel>>(record("tab"),
                                                                                        properties, areas));
    configuration->SetAreaRegistrationResultDataExchangeModel(
        std::make_shared<TRecorded<CAreaRegistrationResultDataExchangeModelBase>>(record("registration"),
                                                                                  areas));
    configuration->SetDynamicRequiredAreaDataExchangeModel(
        std::make_shared<TRecorded<CDynamicRequiredAreasBase>>(record("dynamic"), areas));
    configuration->SetReconstructionProgressBarDataExchangeModel(
        std::make_shared<TRecorded<CCommonReconstructionProgressDataExchangeModelBase>>(record("progress"),
                                                                                        areas));
    configuration->SetSeatPositionDataExchangeModel(
        std::make_shared<TRecorded<CCommonSeatPositionDataExchangeModel>>(record("seat")));
    configuration->SetVideoMode2DDataExchangeModel(
        std::make_shared<TRecorded<CVideoMode2DDataExchangeModel>>(record("video")));
    configuration->SetIsRunningExceptReconstructionDataExchangeModel(
        std::make_shared<TRecorded<CIsRunningExceptReconstructionDataExchangeModel>>(record("running"),
                                                                                     areas));
    configuration->SetGetGuidedArchDataExchangeModel(
        std::make_shared<TRecorded<TEmptyModel<Base::IGuidedArchDataExchangeModel>>>(record("guided")));

    std::size_t const opened =
        JournalCount(L"CCommonDataExchangeConfiguration", Base::EJournalRecordKind::Opened);
    configuration.reset();
    std::string const all = " case surfels buccal optimization occlusal modification instantiated entities";
    EXPECT_EQ((std::vector<std::string>{
                  "result reported:" + all,
                  "tab reported:" + all,
                  "registration reported: optimization occlusal modification instantiated entities",
                  "dynamic reported: optimization occlusal modification instantiated entities",
                  "progress reported: optimization entities",
                  "seat reported: optimization",
                  "video reported: optimization",
                  "running unreported: optimization", // the rest goes with the object, after the report
                  "guided unreported: optimization",
              }),
              log);
    EXPECT_EQ(opened + 1,
              JournalCount(L"CCommonDataExchangeConfiguration", Base::EJournalRecordKind::Opened));
    EXPECT_EQ(0u, m_journal->GetOpenReportCount());
}
} // namespace
