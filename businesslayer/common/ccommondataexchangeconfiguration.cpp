#include "businesslayer/common/ccommondataexchangeconfiguration.h"

#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/csourcefile.h"
#include "businesslayer/common/careaocclusaldirectiondataexchangemodel.h"
#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"
#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/careasurfelcolletiondataexchangemodel.h"
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommonareaentitycollectiondataexchangemodel.h"
#include "businesslayer/common/ccommondatamodificationdataexchangemodel.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"
#include "businesslayer/common/cinstantiatedareadataexchangemodel.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "businesslayer/common/cvideomode2ddataexchangemodel.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/ccommondataexchangeconfiguration");
constexpr int kLineModelTabNotSet = 103;
} // namespace

Logging::CLogger const CCommonDataExchangeConfiguration::s_logger(L"ORX2.CCommonDataExchangeConfiguration");

CCommonDataExchangeConfiguration::CCommonDataExchangeConfiguration(
    std::shared_ptr<ICommonAcquisitionProperties> const& properties,
    std::shared_ptr<ICommonAreas> const& areas,
    std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea)
    : m_journalHandle(Base::GetJournal().CreateHandle(L"CCommonDataExchangeConfiguration"))
{
    // The result model checks the host objects first, so an empty one fails before anything is
    // dereferenced below.
    m_triangulationConfiguration =
        Base::MakeGuardedShared<CReconstructionResultDataExchangeModel>(properties, areas);
    m_caseRequiredAreas = Base::MakeGuardedShared<CCaseRequiredAreasDataExchangeModelBase>(selectedArea);
    m_areaSurfelCollection = Base::MakeGuardedShared<CAreaSurfelColletionDataExchangeModel>(areas);
    m_buccalRegistrationResult =
        Base::MakeGuardedShared<CBuccalRegistrationResultDataExchangeModelBase>(areas);
    m_areaRegistrationResult = Base::MakeGuardedShared<CAreaRegistrationResultDataExchangeModelBase>(areas);
    m_areaOptimizationState = Base::MakeGuardedShared<CAreaOptimizationStateDataExchangeModel>(areas);
    m_areaOcclusalDirection = Base::MakeGuardedShared<CAreaOcclusalDirectionDataExchangeModel>(areas);
    m_dataModification = Base::MakeGuardedShared<CCommonDataModificationDataExchangeModel>(
        properties->GetDataModificationEnabled(), areas);
    m_instantiatedArea = Base::MakeGuardedShared<CInstantiatedAreaDataExchangeModel>(areas);
    m_areaEntityCollection = Base::MakeGuardedShared<CCommonAreaEntityCollectionDataExchangeModel>(areas);
    m_reconstructionProgress =
        Base::MakeGuardedShared<CCommonReconstructionProgressDataExchangeModelBase>(areas);
    m_seatPosition = Base::MakeGuardedShared<CCommonSeatPositionDataExchangeModel>();
    m_isRunningExceptReconstruction =
        Base::MakeGuardedShared<CIsRunningExceptReconstructionDataExchangeModel>(areas);
    m_videoMode2D = Base::MakeGuardedShared<CVideoMode2DDataExchangeModel>();
}

CCommonDataExchangeConfiguration::~CCommonDataExchangeConfiguration()
{
    Base::CJournalReport report = Base::GetJournal().Report(m_journalHandle);
    // A model bound to the array of one released before it (the dynamic required areas follow the case
    // model's levels) sees that array end and lets go of it, so this order is safe.
    m_triangulationConfiguration.reset();
    m_isModelTabAllowed.reset();
    m_caseRequiredAreas.reset();
    m_areaSurfelCollection.reset();
    m_buccalRegistrationResult.reset();
    m_areaRegistrationResult.reset();
    m_dynamicRequiredAreas.reset();
    m_areaOcclusalDirection.reset();
    m_dataModification.reset();
    m_instantiatedArea.reset();
    m_reconstructionProgress.reset();
    m_areaEntityCollection.reset();
    m_seatPosition.reset();
    m_videoMode2D.reset();
    report.Close();
}

std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel>
CCommonDataExchangeConfiguration::GetIsModelTabAllowedDataExchangeModel() const
{
    if (!m_isModelTabAllowed)
        kSource.Throw(kLineModelTabNotSet,
                      "BusinessLayer::CCommonDataExchangeConfiguration::GetIsModelTabAllowedDataExchangeModel",
                      L"The IsModelTabAllowedDEM must be set in the Builder");
    return m_isModelTabAllowed;
}
} // namespace BusinessLayer
